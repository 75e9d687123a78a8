#include "FakeRecorder.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "app/frmMain.h"
#include "callstore/ui/CallList.h"
#include "callstore/CallListModel.h"
#include "callstore/colCalls.h"
#include "review/ui/CallReview.h"
#include "recording/RecordingSession.h"
#include "recording/VoiceDetection.h"
#include "recording/ui/frmAddNote.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

// The main window's recording side: its keys and buttons, the note prompt, the start-up.
class tst_frmMainRecording : public QObject
{
    Q_OBJECT

    struct Window
    {
        TempSettingsRoots roots;
        QTemporaryDir data, calls;
        ScriptedPrompts prompts;
        FixedClock clock;
        FixedUserName userName{u"Ann"_s};
        FakeRecorder *recorder = nullptr;
        std::unique_ptr<AppContext> ctx;
        std::unique_ptr<frmMain> window;
        int moverLaunches = 0;

        explicit Window(bool autoRecord)
        {
            qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
            ctx = std::make_unique<AppContext>(Services{prompts, clock, userName, [this] {
                auto r = std::make_unique<FakeRecorder>();
                if (!recorder)
                    recorder = r.get();
                return r;
            }});
            ctx->registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
            ctx->registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);
            ctx->store.SaveStringSetting(u"CallPath"_s, calls.path());
            ctx->store.SaveLongSetting(u"AutoRecord"_s, autoRecord ? 1 : 0);
            window = std::make_unique<frmMain>(*ctx);
            window->recording->setMoverLauncher([this] {
                ++moverLaunches;
                return std::optional<QString>();
            });
        }
        QString temp() const { return data.path() + u"/Voxmere"_s; }
    };

private slots:
    void f9AndF10RecordAndFileACallWithItsNote()
    {
        Window w(false);
        QVERIFY(w.window->Form_Load());
        QCOMPARE(w.moverLaunches, 0); // nothing left over to file
        w.prompts.clear();

        w.window->Form_KeyDown(Qt::Key_F9);
        QVERIFY(w.window->state.IsRecording);
        QCOMPARE(w.window->imgLED->toolTip(), u"Recording"_s);
        QCOMPARE(w.window->StatusPanel[0]->text(), u"Recording - Manual Recording"_s);
        QVERIFY(w.recorder->log.contains(u"OpenRecordFile "_s + w.temp() + u"//20240301-091500-ann.wav"_s));

        w.recorder->position = 81.2;
        // Type into the prompt when it is up, and press OK.
        QTimer::singleShot(0, this, [&] {
            QVERIFY(w.window->state.NoteFormOpen);
            QVERIFY(w.window->tmrAddNote->isActive());
            QTest::keyClicks(w.window->NoteForm->txtCallNote, u"Supplier rang back"_s);
            w.window->NoteForm->OKButton->click();
        });
        w.window->Form_KeyDown(Qt::Key_F10);
        QVERIFY(!w.window->state.IsRecording);
        QVERIFY(!w.window->state.NoteFormOpen);
        QVERIFY(!w.window->tmrAddNote->isActive());
        QCOMPARE(w.window->imgLED->toolTip(), u"Ready"_s);
        QVERIFY(QFile::exists(w.temp() + u"/20240301-091500-ann-81.wav"_s));
        QFile note(w.calls.path() + u"/20240301-091500-ann-81.txt"_s);
        QVERIFY(note.open(QIODevice::ReadOnly));
        QCOMPARE(note.readAll(), QByteArray("Supplier rang back"));
        QCOMPARE(w.window->CallsCollection().Count(), 1);
        QCOMPARE(w.moverLaunches, 1);
        const CallListModel &rows = w.window->review->list().model();
        QCOMPARE(rows.rowCount(), 1);
        QCOMPARE(rows.index(0, CallListModel::Note).data().toString(), u"Supplier rang back"_s);

        // A second call goes to row 1, the first moves down.
        w.ctx->settings.AddNote = false;
        w.clock.advance(300);
        w.window->Form_KeyDown(Qt::Key_F9);
        w.window->Form_KeyDown(Qt::Key_F10);
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(rows.index(0, 0).data(CallListModel::KeyRole).toString(), u"#2#"_s);
        QCOMPARE(rows.index(1, 0).data(CallListModel::KeyRole).toString(), u"#1#"_s);
        QCOMPARE(w.window->GetCallLocation(1), w.calls.path() + u"/20240301-092000-ann-81.wav"_s);
        QVERIFY(w.prompts.shown().isEmpty());
    }

    void f9DoesNothingInAutomaticMode()
    {
        Window w(true);
        QVERIFY(w.window->Form_Load());
        w.recorder->log.clear();
        w.window->Form_KeyDown(Qt::Key_F9);
        QVERIFY(!w.window->state.IsRecording);
        QVERIFY(w.recorder->log.isEmpty());
        QVERIFY(w.window->detection->Detection.isActive());
    }

    void levelsShowInTheLabels()
    {
        Window w(true);
        QVERIFY(w.window->Form_Load());
        w.window->detection->Detection_Timer(); // arms
        w.recorder->levelA = -12.5f;
        w.recorder->levelB = -30.25f;
        w.window->detection->Detection_Timer();
        QCOMPARE(w.window->lblVol1->text(), u"-12.5"_s);
        QCOMPARE(w.window->lblVol2->text(), u"-30.25"_s);
    }

    void startUpFilesACallLeftUnfinished()
    {
        Window w(false);
        QDir().mkpath(w.temp());
        QFile left(w.temp() + u"/20240229-170000-ann.wav"_s);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        QVERIFY(w.window->Form_Load());
        QVERIFY(QFile::exists(w.temp() + u"/20240229-170000-ann-0.wav"_s));
        QVERIFY(!left.exists());
        QCOMPARE(w.moverLaunches, 1);
    }
};

QTEST_MAIN(tst_frmMainRecording)
#include "tst_frmMainRecording.moc"

#include "audio/AudioEngine.h"
#include "PlaybackRig.h"
#include "review/FolderListing.h"

#include <cstdio>

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// Streams the sound server is playing right now.
static int streams()
{
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"list"_s, u"short"_s, u"sink-inputs"_s});
    if (!pactl.waitForFinished() || pactl.exitCode() != 0)
        return -1;
    return int(pactl.readAllStandardOutput().count('\n'));
}

// A real 2-second tone through the audio engine and the test sound server: the engine's
// own end of play closes the call as the stop button does, also after a skip past its end.
class tst_PlaybackOnEngine : public QObject
{
    Q_OBJECT

private slots:
    void endOfPlay_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("plays to the end") << 0;
        QTest::newRow("skip past the end while paused") << 1;
        QTest::newRow("stop button while paused") << 2;
        QTest::newRow("a name made elsewhere, not UTF-8, plays to the end") << 3;
    }
    void endOfPlay()
    {
        QFETCH(int, how);
        PlaybackRig<AudioEngine> t;
        QProcess sox;
        sox.start(u"sox"_s, {u"-n"_s, u"-r"_s, u"8000"_s, u"-c"_s, u"1"_s, u"-b"_s, u"16"_s, t.path(1),
                             u"synth"_s, u"2"_s, u"sine"_s, u"440"_s});
        QVERIFY2(sox.waitForFinished() && sox.exitCode() == 0, sox.readAllStandardError().constData());
        QString file = t.path(1);
        if (how == 3) {
            const QByteArray latin1 = QFile::encodeName(t.dir.path()) + "/20240301-091501-J\xe9r\xf4me-2.wav";
            QVERIFY(::rename(QFile::encodeName(file).constData(), latin1.constData()) == 0);
            const QStringList listed = FolderListing::Read(t.dir.path()).files;
            QCOMPARE(listed.size(), 1);
            file = t.dir.filePath(listed[0]);
        }
        t.listCall(1, file);
        const int idle = streams();
        QVERIFY2(idle >= 0, "pactl cannot reach the sound server");
        t.pb.cmdPlay_Click();
        QTRY_VERIFY(!t.pb.Looking());
        QVERIFY2(t.state.PlaybackOpen, qPrintable(t.prompts.texts().join(u'|')));
        QCOMPARE(t.slider->Max(), 2);
        QTRY_VERIFY(t.player.Position() > 0.2); // sound is flowing
        QCOMPARE(streams(), idle + 1);
        if (how == 1 || how == 2)
            t.pb.cmdPause_Click();
        if (how == 1) {
            t.pb.cmdPBOffsetPlus_Click(10);
            QCOMPARE(t.slider->Value(), 2); // at once, while paused: the end of the call
            QVERIFY(t.player.Position() > 1.9);
        } else if (how == 2) {
            t.pb.cmdStop_Click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!t.state.PlaybackOpen, 4000);
        QVERIFY(!t.player.Paused()); // the next call does not start paused
        QCOMPARE(t.label->text(), u"00:00:00"_s);
        QCOMPARE(t.slider->Value(), 0);
        QVERIFY(!t.pb.tmrPlaybackPos.isActive());
        QCOMPARE(t.detection, QStringList({u"Suspend"_s, u"Resume"_s}));
        QVERIFY(t.prompts.shown().isEmpty());
        QTRY_COMPARE(streams(), idle);
    }
};

QTEST_MAIN(tst_PlaybackOnEngine)
#include "tst_PlaybackOnEngine.moc"

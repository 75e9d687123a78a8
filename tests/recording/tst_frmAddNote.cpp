#include "recording/ui/frmAddNote.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The note prompt after a call.
class tst_frmAddNote : public QObject
{
    Q_OBJECT

private slots:
    void looksAsTheProgramsOwn()
    {
        QTimer tmrAddNote;
        tmrAddNote.setInterval(20000);
        frmAddNote form(tmrAddNote, nullptr);
        QCOMPARE(form.windowTitle(), u"Voxmere - Add  Recording Note"_s);
        QCOMPARE(form.txtCallNote->toolTip(), u"Enter a note to be associated with the call"_s);
        QVERIFY(form.OKButton->isEnabled());
        QVERIFY(form.CancelButton->isEnabled());
        QVERIFY(tmrAddNote.isActive());
    }

    void howThePromptEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("note");
        QTest::newRow("OK") << u"ok"_s << u"line one\r\nline two"_s;
        QTest::newRow("Cancel drops the text") << u"cancel"_s << QString();
        QTest::newRow("20 s without typing keeps the text") << u"timer"_s << u"line one\r\nline two"_s;
        QTest::newRow("Escape keeps the text") << u"escape"_s << u"line one\r\nline two"_s;
        QTest::newRow("a new call keeps the text") << u"close"_s << u"line one\r\nline two"_s;
    }
    void howThePromptEnds()
    {
        QFETCH(QString, how);
        QFETCH(QString, note);
        QTimer tmrAddNote;
        tmrAddNote.setInterval(how == u"timer"_s ? 50 : 60000);
        QPointer<frmAddNote> NoteForm;
        QString answered;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(NoteForm);
            QVERIFY(NoteForm->isVisible());
            QTest::keyClicks(NoteForm->txtCallNote, u"line one"_s);
            QTest::keyClick(NoteForm->txtCallNote, Qt::Key_Return);
            QTest::keyClicks(NoteForm->txtCallNote, u"line two"_s);
            if (how == u"ok"_s)
                NoteForm->OKButton->click();
            else if (how == u"cancel"_s)
                NoteForm->CancelButton->click();
            else if (how == u"escape"_s)
                QTest::keyClick(NoteForm, Qt::Key_Escape);
            else if (how == u"close"_s)
                NoteForm->CloseAddNoteForm();
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, this, [&] {
            if (NoteForm)
                NoteForm->CloseAddNoteForm();
        });
        guard.start(10000);
        answered = frmAddNote::Ask(nullptr, tmrAddNote, NoteForm);
        QVERIFY(guard.isActive()); // ended by its own means
        QCOMPARE(answered, note);
        QVERIFY(!tmrAddNote.isActive());
        QVERIFY(NoteForm.isNull());
    }

    void typingStartsTheCountAgain()
    {
        QTimer tmrAddNote;
        tmrAddNote.setInterval(20000);
        frmAddNote form(tmrAddNote, nullptr);
        tmrAddNote.stop();
        QTest::keyClicks(form.txtCallNote, u"a"_s);
        QVERIFY(tmrAddNote.isActive());
        QCOMPARE(tmrAddNote.interval(), 20000);
    }

    void closedPromptIsFrozen()
    {
        QTimer tmrAddNote;
        frmAddNote form(tmrAddNote, nullptr);
        form.show();
        form.CloseAddNoteForm();
        QVERIFY(form.isClosed());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.OKButton->isEnabled());
        QVERIFY(!form.CancelButton->isEnabled());
        QVERIFY(!form.txtCallNote->isEnabled());
    }
};

QTEST_MAIN(tst_frmAddNote)
#include "tst_frmAddNote.moc"

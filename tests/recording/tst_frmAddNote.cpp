#include "recording/ui/frmAddNote.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The note prompt after a call: every way it ends, and what it answers.
class tst_frmAddNote : public QObject
{
    Q_OBJECT

private slots:
    void howThePromptEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("note");
        const QString typed = u"line one\r\nline two"_s;
        QTest::newRow("OK") << u"ok"_s << typed;
        QTest::newRow("Cancel drops the text") << u"cancel"_s << QString();
        QTest::newRow("no typing for the count keeps the text") << u"timer"_s << typed;
        QTest::newRow("Escape keeps the text") << u"escape"_s << typed;
        QTest::newRow("a new call keeps the text") << u"close"_s << typed;
    }
    void howThePromptEnds()
    {
        QFETCH(QString, how);
        QFETCH(QString, note);
        QTimer tmrAddNote; // 20 s in the program
        tmrAddNote.setInterval(how == u"timer"_s ? 50 : 60000);
        QPointer<frmAddNote> NoteForm;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(NoteForm && NoteForm->isVisible() && tmrAddNote.isActive());
            tmrAddNote.stop(); // typing starts the count again
            QTest::keyClicks(NoteForm->txtCallNote, u"line one"_s);
            QTest::keyClick(NoteForm->txtCallNote, Qt::Key_Return);
            QTest::keyClicks(NoteForm->txtCallNote, u"line two"_s);
            QVERIFY(tmrAddNote.isActive());
            if (how == u"ok"_s)
                NoteForm->OKButton->click();
            else if (how == u"cancel"_s)
                NoteForm->CancelButton->click();
            else if (how == u"escape"_s)
                QTest::keyClick(NoteForm, Qt::Key_Escape);
            else if (how == u"close"_s)
                NoteForm->CloseAddNoteForm();
            if (how != u"timer"_s) // a closed prompt takes no more text
                QTest::keyClicks(NoteForm->txtCallNote, u" late"_s);
        });
        bool stuck = false; // a prompt that would not end by its own means
        QTimer::singleShot(10000, this, [&] { stuck = NoteForm && (NoteForm->CloseAddNoteForm(), true); });
        QCOMPARE(frmAddNote::Ask(nullptr, tmrAddNote, NoteForm), note);
        QVERIFY(!stuck);
        QVERIFY(!tmrAddNote.isActive());
        QVERIFY(NoteForm.isNull());
    }
};

QTEST_MAIN(tst_frmAddNote)
#include "tst_frmAddNote.moc"

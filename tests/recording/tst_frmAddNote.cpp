#include "controls/XPButton.h"
#include "recording/ui/frmAddNote.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The note prompt after a call: every way it ends, and what it answers.
class tst_frmAddNote : public QObject
{
    Q_OBJECT

    using End = std::function<void(frmAddNote &)>; // none: the count runs out

private slots:
    void howThePromptEnds_data()
    {
        QTest::addColumn<End>("end");
        QTest::addColumn<QString>("note");
        const QString typed = u"line one\r\nline two"_s;
        QTest::newRow("OK") << End([](frmAddNote &f) { f.OKButton->click(); }) << typed;
        QTest::newRow("Cancel drops the text") << End([](frmAddNote &f) { f.CancelButton->click(); }) << QString();
        QTest::newRow("no typing for the count keeps the text") << End() << typed;
        QTest::newRow("Escape keeps the text") << End([](frmAddNote &f) { QTest::keyClick(&f, Qt::Key_Escape); }) << typed;
        QTest::newRow("a new call keeps the text") << End(&frmAddNote::CloseAddNoteForm) << typed;
    }
    void howThePromptEnds()
    {
        QFETCH(End, end);
        QFETCH(QString, note);
        QTimer tmrAddNote; // 20 s in the program
        tmrAddNote.setInterval(end ? 60000 : 50);
        QPointer<frmAddNote> NoteForm;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(NoteForm && NoteForm->isVisible() && tmrAddNote.isActive());
            tmrAddNote.stop(); // typing starts the count again
            QTest::keyClicks(NoteForm->txtCallNote, u"line one"_s);
            QTest::keyClick(NoteForm->txtCallNote, Qt::Key_Return);
            QTest::keyClicks(NoteForm->txtCallNote, u"line two"_s);
            QVERIFY(tmrAddNote.isActive());
            if (end) {
                end(*NoteForm);
                QTest::keyClicks(NoteForm->txtCallNote, u" late"_s); // a closed prompt takes no more text
            }
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

#include "ContextRig.h"
#include "review/modSearch.h"
#include "TestFiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_modSearch : public QObject
{
    Q_OBJECT

private slots:
    void notePieces_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("applies");
        QTest::addColumn<bool>("found");
        QTest::newRow("star") << u"*"_s << u"anything"_s << false << false;
        QTest::newRow("empty") << QString() << u"anything"_s << false << false;
        QTest::newRow("stars only") << u"**"_s << u"anything"_s << true << false;
        QTest::newRow("both words, other order and case") << u"Smith*invoice"_s << u"INVOICE sent to smith"_s << true << true;
        QTest::newRow("one word missing") << u"smith*invoice"_s << u"call from smith"_s << true << false;
        QTest::newRow("pieces trimmed") << u" smith *  invoice "_s << u"smith's invoice"_s << true << true;
        QTest::newRow("inner space kept") << u"smith invoice"_s << u"smith's invoice"_s << true << false;
        QTest::newRow("piece of spaces finds any text") << u" * "_s << u"x"_s << true << true;
        QTest::newRow("empty note text") << u"a"_s << QString() << true << false;
    }
    void notePieces()
    {
        QFETCH(QString, note);
        QFETCH(QString, text);
        QTEST(modSearch::NoteConditionApplies(note), "applies");
        QTEST(modSearch::PiecesFound(modSearch::NotePieces(note), text.toUpper()), "found");
    }

    void findStringInFile_data()
    {
        QTest::addColumn<QString>("audioName");
        QTest::addColumn<QByteArray>("content"); // null: no note file
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("found");
        const QString call = u"20050612-143005-ann-75.wav"_s;
        QTest::newRow("note holds it") << call << QByteArray("Order for Smith\r\nsecond line") << u"smith*line"_s << true;
        QTest::newRow("no note file") << call << QByteArray() << u"smith"_s << false;
        QTest::newRow("empty note file") << call << QByteArray("") << u"smith"_s << false;
        QTest::newRow("Windows note") << call << QByteArray("Caf\xe9 order") << u"CAFÉ"_s << true;
        // An upper-case ".WAV" would make the note path the audio file itself.
        QTest::newRow("upper-case extension") << u"20050612-143005-ann-75.WAV"_s << QByteArray() << u"RIFF"_s << false;
    }
    void findStringInFile()
    {
        QFETCH(QString, audioName);
        QFETCH(QByteArray, content);
        QFETCH(QString, search);
        ContextRig f;
        // The folder's own ".wav" turns into ".txt" as well.
        const QString folder = f.folder(u"old.wav files"_s);
        ContextRig::addCall(folder, audioName);
        const QString noteName = QString(audioName).replace(u".wav"_s, u".txt"_s);
        if (!content.isNull())
            QVERIFY(TestFiles::write(f.folder(u"old.txt files"_s) + u'/' + noteName, content));
        QTEST(modSearch::FindStringInFile(search, folder + u'/' + audioName, f.prompts), "found");
        QVERIFY(f.prompts.shown().isEmpty());
    }

    void unreadableNoteIsReportedAndDoesNotMatch()
    {
        ContextRig f;
        const QString folder = f.folder();
        ContextRig::addCall(folder, u"20050612-143005-ann-75.wav"_s, QByteArray("secret"));
        QFile::setPermissions(folder, QFile::Permissions(0x7755));
        QFile::setPermissions(folder + u"/20050612-143005-ann-75.txt"_s, QFile::WriteOwner);
        AsUnprivilegedUser nobody;
        QVERIFY(!modSearch::FindStringInFile(u"secret"_s, folder + u"/20050612-143005-ann-75.wav"_s, f.prompts));
        QCOMPARE(f.prompts.shown().size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_modSearch)
#include "tst_modSearch.moc"

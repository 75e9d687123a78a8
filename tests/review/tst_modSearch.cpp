#include "ReviewFixture.h"
#include "base/RuntimeError.h"
#include "review/modDateFunctions.h"
#include "review/modSearch.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_modSearch : public QObject
{
    Q_OBJECT

private slots:
    void buildFilePattern_data();
    void buildFilePattern();
    void notePieces_data();
    void notePieces();
    void findStringInFile_data();
    void findStringInFile();
    void unreadableNoteIsReportedAndDoesNotMatch();
    void dateRule_data();
    void dateRule();
    void dateCriterionThatIsNoDate();
    void callDateAgreesWithDateText_data();
    void callDateAgreesWithDateText();
    void fileDateToDisplay();
};

void tst_modSearch::buildFilePattern_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("one day") << u"20050612"_s << u"20050612"_s << u"*"_s << u"20050612-*-*-*.wav"_s;
    QTest::newRow("one month") << u"20050601"_s << u"20050630"_s << u"*"_s << u"200506*-*-*-*.wav"_s;
    QTest::newRow("one year, user") << u"20050110"_s << u"20050612"_s << u"*ann*"_s << u"2005*-*-*ann*-*.wav"_s;
    QTest::newRow("two years") << u"20041220"_s << u"20050105"_s << u"*"_s << u"*-*-*-*.wav"_s;
    QTest::newRow("fresh") << u"*"_s << u"*"_s << u"*"_s << u"*-*-*-*.wav"_s;
    QTest::newRow("start only") << u"20050612"_s << u"*"_s << u"*"_s << u"*-*-*-*.wav"_s;
    QTest::newRow("own user") << u"*"_s << u"*"_s << u"ann"_s << u"*-*-ann-*.wav"_s;
}

void tst_modSearch::buildFilePattern()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, user);
    clsSearch c;
    c.StartDate = start;
    c.EndDate = end;
    c.User = user;
    QTEST(modSearch::BuildFilePattern(c), "pattern");
}

void tst_modSearch::notePieces_data()
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

void tst_modSearch::notePieces()
{
    QFETCH(QString, note);
    QFETCH(QString, text);
    QTEST(modSearch::NoteConditionApplies(note), "applies");
    QTEST(modSearch::PiecesFound(modSearch::NotePieces(note), text.toUpper()), "found");
}

void tst_modSearch::findStringInFile_data()
{
    QTest::addColumn<QString>("audioName");
    QTest::addColumn<bool>("hasNote");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("found");
    const QString call = u"20050612-143005-ann-75.wav"_s;
    QTest::newRow("note holds it") << call << true << QByteArray("Order for Smith\r\nsecond line") << u"smith*line"_s << true;
    QTest::newRow("no note file") << call << false << QByteArray() << u"smith"_s << false;
    QTest::newRow("empty note file") << call << true << QByteArray() << u"smith"_s << false;
    QTest::newRow("Windows note") << call << true << QByteArray("Caf\xe9 order") << u"CAFÉ"_s << true;
    // An upper-case ".WAV" would make the note path the audio file itself.
    QTest::newRow("upper-case extension") << u"20050612-143005-ann-75.WAV"_s << false << QByteArray() << u"RIFF"_s << false;
}

void tst_modSearch::findStringInFile()
{
    QFETCH(QString, audioName);
    QFETCH(bool, hasNote);
    QFETCH(QByteArray, content);
    QFETCH(QString, search);
    ReviewFixture f;
    const QString folder = f.folder(u"old.wav files"_s);
    if (hasNote)
        ReviewFixture::addCall(folder, audioName, content);
    else
        ReviewFixture::addCall(folder, audioName);
    if (hasNote) // the folder's own ".wav" turns into ".txt" as well
        QVERIFY(QDir().rename(folder + u'/' + QString(audioName).replace(u".wav"_s, u".txt"_s),
                              f.folder(u"old.txt files"_s) + u'/' + QString(audioName).replace(u".wav"_s, u".txt"_s)));
    QTEST(modSearch::FindStringInFile(search, folder + u'/' + audioName, f.prompts), "found");
    QVERIFY(f.prompts.shown().isEmpty());
}

void tst_modSearch::unreadableNoteIsReportedAndDoesNotMatch()
{
    ReviewFixture f;
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20050612-143005-ann-75.wav"_s, QByteArray("secret"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                      | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::ExeOther);
    QFile::setPermissions(folder + u"/20050612-143005-ann-75.txt"_s, QFile::WriteOwner);
    AsUnprivilegedUser nobody;
    QVERIFY(!modSearch::FindStringInFile(u"secret"_s, folder + u"/20050612-143005-ann-75.wav"_s, f.prompts));
    QCOMPARE(f.prompts.texts(),
             QStringList{u"Error occurred: 70, Permission denied, frmMain:FindStringInFile: 'secret' in '"_s
                         + folder + u"/20050612-143005-ann-75.wav'"_s});
}

void tst_modSearch::dateRule_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("inRange");
    const QDate june12(2005, 6, 12);
    QTest::newRow("no dates") << u"*"_s << u"*"_s << june12 << true;
    QTest::newRow("first day") << u"20050612"_s << u"20050630"_s << june12 << true;
    QTest::newRow("last day") << u"20050601"_s << u"20050612"_s << june12 << true;
    QTest::newRow("day before") << u"20050613"_s << u"20050630"_s << june12 << false;
    QTest::newRow("day after") << u"20050601"_s << u"20050611"_s << june12 << false;
    QTest::newRow("start after end") << u"20050620"_s << u"20050610"_s << QDate(2005, 6, 15) << false;
    QTest::newRow("start only: later day") << u"20050601"_s << u"*"_s << QDate(2024, 1, 1) << true;
    QTest::newRow("start only: earlier day") << u"20050601"_s << u"*"_s << QDate(2005, 5, 31) << false;
    QTest::newRow("end only: earlier day") << u"*"_s << u"20050601"_s << QDate(1999, 1, 1) << true;
    QTest::newRow("end only: later day") << u"*"_s << u"20050601"_s << QDate(2005, 6, 2) << false;
}

void tst_modSearch::dateRule()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QDate, day);
    clsSearch c;
    c.StartDate = start;
    c.EndDate = end;
    QTEST(modSearch::DateRuleOf(c).contains(day), "inRange");
}

void tst_modSearch::dateCriterionThatIsNoDate()
{
    clsSearch c;
    c.StartDate = u"20051332"_s;
    try {
        modSearch::DateRuleOf(c);
        QFAIL("a date criterion that is no date was taken");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), 13);
    }
}

void tst_modSearch::callDateAgreesWithDateText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QDate>("day");
    QTest::newRow("plain") << u"20050203"_s << u"03-Feb-2005"_s << QDate(2005, 2, 3);
    QTest::newRow("leap day") << u"20040229"_s << u"29-Feb-2004"_s << QDate(2004, 2, 29);
    QTest::newRow("no leap day") << u"20050229"_s << u"29-Feb-2005"_s << QDate();
    QTest::newRow("month 0") << u"20050003"_s << u"03--2005"_s << QDate();
    QTest::newRow("month 13") << u"20051303"_s << u"03--2005"_s << QDate();
    QTest::newRow("no month number") << u"2005ab03"_s << u"03--2005"_s << QDate();
    QTest::newRow("day 0") << u"20050200"_s << u"00-Feb-2005"_s << QDate();
    QTest::newRow("short") << u"2005"_s << u"05--2005"_s << QDate();
    QTest::newRow("letters") << u"notadate"_s << u"te--nota"_s << QDate();
    QTest::newRow("longer field: day from its end") << u"2005021215"_s << u"15-Feb-2005"_s << QDate(2005, 2, 15);
}

void tst_modSearch::callDateAgreesWithDateText()
{
    QFETCH(QString, field);
    QFETCH(QDate, day);
    QTEST(modDateFunctions::CallDateText(field), "dateText");
    const auto parsed = modDateFunctions::CallDateOf(field);
    QCOMPARE(parsed.value_or(QDate()), day);
    QCOMPARE(parsed.has_value(), modDateFunctions::IsValidDate(modDateFunctions::CallDateText(field)));
}

void tst_modSearch::fileDateToDisplay()
{
    QCOMPARE(modDateFunctions::FileDateToDisplay(u"20050612"_s), u"12/Jun/2005"_s);
    QCOMPARE(modDateFunctions::MonthAbbrev(0), QString());
    QCOMPARE(modDateFunctions::MonthAbbrev(12), u"Dec"_s);
    QCOMPARE(modDateFunctions::MonthAbbrev(13), QString());
}

QTEST_GUILESS_MAIN(tst_modSearch)
#include "tst_modSearch.moc"

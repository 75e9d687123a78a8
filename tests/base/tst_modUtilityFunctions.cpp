#include "base/modUtilityFunctions.h"
#include "callstore/UserIdentity.h"
#include "TestDoubles.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace modUtilityFunctions;

class tst_modUtilityFunctions : public QObject
{
    Q_OBJECT

private slots:
    void time_data()
    {
        QTest::addColumn<qint32>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("1h30m5s") << 5405 << u"01:30:05"_s;
        QTest::newRow("beyond 16 bits") << 32768 << u"09:06:08"_s;
        QTest::newRow("99:59:59") << 359999 << u"99:59:59"_s;
    }
    // Seconds to a call's shown length, and a file name's "hhmmss" back to seconds.
    void time()
    {
        QFETCH(qint32, count);
        QFETCH(QString, text);
        QCOMPARE(FormatTime(count, 1), text);
        QCOMPARE(TimeToSeconds(text.remove(u':')), count);
    }

    void conversions()
    {
        QCOMPARE(FileNameOf(u"/srv/calls/a.wav"_s), u"a.wav"_s);
        QCOMPARE(FileNameOf(u"C:\\x\\y/z.wav"_s), u"z.wav"_s);
        QCOMPARE(FileNameOf(u"c.wav"_s), u"c.wav"_s);
        QCOMPARE(CDate(u"03-Feb-2005"_s).value_or(QDate()), QDate(2005, 2, 3));
        QCOMPARE(CDate(u"01/Mar/2024"_s).value_or(QDate()), QDate(2024, 3, 1));
        QCOMPARE(CDate(u"3 February 2005"_s).value_or(QDate()), QDate(2005, 2, 3));
        QVERIFY(!CDate(u"31-Feb-2005"_s));
        QVERIFY(!CDate(u"garbage"_s));
        QCOMPARE(CTime(u"09:05:07"_s).value_or(QTime()), QTime(9, 5, 7));
        QVERIFY(!CTime(u"25:00:00"_s));
    }

    void userName_data()
    {
        QTest::addColumn<std::optional<QString>>("login");
        QTest::addColumn<QString>("name");
        QTest::newRow("lower-cased") << std::optional<QString>(u"Ann"_s) << u"ann"_s;
        QTest::newRow("none") << std::optional<QString>() << u"anon"_s;
        QTest::newRow("empty") << std::optional<QString>(QString()) << u"anon"_s;
        QTest::newRow("trailing NULs") << std::optional<QString>(u"bob\0\0"_s) << u"bob"_s;
        QTest::newRow("dash would split the file name") << std::optional<QString>(u"mary-jo"_s) << u"mary_jo"_s;
    }
    void userName()
    {
        QFETCH(std::optional<QString>, login);
        QTEST(GetPCAndUserName(FixedUserName(login)), "name");
    }
};

QTEST_GUILESS_MAIN(tst_modUtilityFunctions)
#include "tst_modUtilityFunctions.moc"

#include "base/RuntimeError.h"
#include "callstore/colCalls.h"
#include "ScriptedPrompts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// A listing of n calls numbered 1..n, as the search builds it.
static std::unique_ptr<colCalls> listing(Prompts *prompts, int n)
{
    auto calls = std::make_unique<colCalls>(prompts);
    for (int i = 1; i <= n; ++i) {
        QString key = QString::number(i);
        calls->Add(i, u"ann"_s, u"01-Mar-2024"_s, u"09:15:00"_s, 60 + i, QString(), u"/c/"_s + key + u".wav"_s,
                   QString(), -1, key);
    }
    return calls;
}

static QList<qint32> order(const colCalls &calls)
{
    QList<qint32> numbers;
    for (const auto &call : calls)
        numbers << call->iCall();
    return numbers;
}

class tst_colCalls : public QObject
{
    Q_OBJECT

private slots:
    void removeKeepsTheRestInOrder()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 4);
        calls->Remove(1);
        calls->Remove(u"#3#"_s);
        QCOMPARE(order(*calls), (QList<qint32>{2, 4}));
        QCOMPARE(calls->Item(2)->CallDate(), QDate(2024, 3, 1));
        QCOMPARE(calls->Item(2)->CallTime(), QTime(9, 15));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(u"#1#"_s));
        QString key = u"3"_s; // a removed key may be used again
        QVERIFY(calls->Add(3, u"a"_s, u"01-Mar-2024"_s, u"09:00:00"_s, 1, QString(), QString(), QString(), -1, key));
        QCOMPARE(calls->Item(3)->iCall(), 3);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(0));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(4));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Remove(u"#9#"_s));
        QVERIFY(prompts.shown().isEmpty());
        EmptyCollection(calls);
        QVERIFY(!calls);
        EmptyCollection(calls); // nothing left to empty
    }

    void addErrorsLeaveTheCollection()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 2);
        QString key = u"2"_s;
        QVERIFY(!calls->Add(9, u"a"_s, u"01-Mar-2024"_s, u"09:00:00"_s, 1, QString(), QString(), QString(), -1, key));
        key = u"9"_s;
        QVERIFY(!calls->Add(9, u"a"_s, u"31-Feb-2024"_s, u"09:00:00"_s, 1, QString(), QString(), QString(), -1, key));
        QCOMPARE(order(*calls), (QList<qint32>{1, 2}));
        QCOMPARE(prompts.shown().size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_colCalls)
#include "tst_colCalls.moc"

#include "ScriptedPrompts.h"
#include "base/RuntimeError.h"
#include "callstore/colCalls.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// A listing of n calls numbered 1..n, as the search builds it.
static std::unique_ptr<colCalls> listing(Prompts *prompts, int n)
{
    auto calls = std::make_unique<colCalls>(prompts);
    for (int i = 1; i <= n; ++i) {
        QString key = QString::number(i);
        calls->Add(i, u"ann"_s, u"01-Mar-2024"_s, u"09:15:00"_s, 60 + i, QString(),
                   u"/c/"_s + key + u".wav"_s, QString(), -1, key);
    }
    return calls;
}

class tst_colCalls : public QObject
{
    Q_OBJECT

private slots:
    void keysAndPositions()
    {
        ScriptedPrompts prompts;
        colCalls calls(&prompts);
        QCOMPARE(calls.maxKey(), u"0"_s);
        QString key = u"7"_s;
        const auto added = calls.Add(7, u"ann"_s, u"03-Feb-2005"_s, u"09:05:07"_s, 75, u"n"_s,
                                     u"/c/x.wav"_s, QString(), -1, key);
        QVERIFY(added);
        QCOMPARE(key, u"#7#"_s);
        QCOMPARE(calls.Item(u"#7#"_s), added);
        QCOMPARE(added->CallDate(), QDate(2005, 2, 3));
        QCOMPARE(added->CallTime(), QTime(9, 5, 7));
        QCOMPARE(added->CallDuration(), 75);
        QVERIFY(added->CallerID().isEmpty());
        QCOMPARE(added->colCalls().Count(), 0);
    }

    // A filed call goes in front of a search's listing under the next number.
    void filedCallGoesFirst()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 5);
        QCOMPARE(calls->maxKey(), u"5"_s);
        const qint32 next = calls->maxKey().toInt() + 1;
        QString key = QString::number(next);
        calls->Add(next, u"ann"_s, u"01-Mar-2024"_s, u"10:00:00"_s, 30, QString(), u"/c/new.wav"_s,
                   QString(), 1, key);
        QCOMPARE(key, u"#6#"_s);
        QCOMPARE(calls->Item(1)->iCall(), 6);
        QCOMPARE(calls->Item(2)->iCall(), 1);
        QCOMPARE(calls->maxKey(), u"6"_s);
    }

    void remove()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 3);
        calls->Remove(1);
        QCOMPARE(calls->Count(), 2);
        QCOMPARE(calls->Item(1)->iCall(), 2);
        QCOMPARE(calls->Item(2)->iCall(), 3);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(u"#1#"_s));
        calls->Remove(u"#3#"_s);
        QCOMPARE(calls->Count(), 1);
        // The removed key may be used again.
        QString key = u"3"_s;
        QVERIFY(calls->Add(3, u"a"_s, u"01-Mar-2024"_s, u"09:00:00"_s, 1, QString(), QString(),
                           QString(), -1, key));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(0));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Item(3));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, calls->Remove(u"#9#"_s));
        QVERIFY(prompts.shown().isEmpty());
    }

    void addErrorsLeaveTheCollection()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 2);
        QString key = u"2"_s;
        QVERIFY(!calls->Add(9, u"a"_s, u"01-Mar-2024"_s, u"09:00:00"_s, 1, QString(), QString(),
                            QString(), -1, key));
        QVERIFY(!calls->Add(9, u"a"_s, u"31-Feb-2024"_s, u"09:00:00"_s, 1, QString(), QString(),
                            QString(), -1, key = u"9"_s));
        QCOMPARE(calls->Count(), 2);
        QCOMPARE(prompts.texts(), (QStringList{
            u"Error: 457: This key is already associated with an element of this collection in colCalls:Add Method"_s,
            u"Error: 13: Type mismatch in colCalls:Add Method"_s}));
    }

    void emptyCollection()
    {
        ScriptedPrompts prompts;
        auto calls = listing(&prompts, 4);
        EmptyCollection(calls);
        QVERIFY(!calls);
        EmptyCollection(calls); // nothing to do
        QVERIFY(!calls);
    }

    void iteratesInOrder()
    {
        auto calls = listing(nullptr, 3);
        QList<qint32> order;
        for (const auto &call : *calls)
            order << call->iCall();
        QCOMPARE(order, (QList<qint32>{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(tst_colCalls)
#include "tst_colCalls.moc"

#include "base/Guarded.h"
#include "base/RuntimeError.h"
#include "ScriptedPrompts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// An event handler's error reaches the user in the error box and goes no further.
class tst_Guarded : public QObject
{
    Q_OBJECT

private slots:
    void errorsAreShownWithTheHandlersName_data()
    {
        QTest::addColumn<std::function<void()>>("handler");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("run-time error") << std::function<void()>([] { throw RuntimeError(9, u"Subscript out of range"_s); })
                                        << QStringList{u"Error occurred: 9, Subscript out of range, frmMain:cmdPlay_Click"_s};
        QTest::newRow("out of memory") << std::function<void()>([] { throw std::bad_alloc(); })
                                       << QStringList{u"Error occurred: 7, Out of memory, frmMain:cmdPlay_Click"_s};
        QTest::newRow("not a std::exception") << std::function<void()>([] { throw 42; })
                                              << QStringList{u"Error occurred: 51, Internal error, frmMain:cmdPlay_Click"_s};
    }
    void errorsAreShownWithTheHandlersName()
    {
        QFETCH(std::function<void()>, handler);
        ScriptedPrompts prompts;
        QObject sender;
        GuardedConnect(prompts, u"frmMain:cmdPlay_Click"_s, &sender, &QObject::objectNameChanged, &sender, handler);
        sender.setObjectName(u"clicked"_s); // the signal's handler throws; the test goes on
        QTEST(prompts.texts(), "shown");
    }

    // The handler gets the signal's arguments when it takes them, a member handler runs on
    // its receiver, and nothing runs once the receiver is gone.
    void connectsCallablesAndMembers()
    {
        ScriptedPrompts prompts;
        QObject sender;
        QString seen;
        GuardedConnect(prompts, u"test:named"_s, &sender, &QObject::objectNameChanged, &sender,
                       [&seen](const QString &name) { seen = name; });
        struct Receiver : QObject
        {
            int count = 0;
            void take() { ++count; }
        };
        auto receiver = std::make_unique<Receiver>();
        GuardedConnect(prompts, u"test:member"_s, &sender, &QObject::objectNameChanged, receiver.get(),
                       &Receiver::take);
        sender.setObjectName(u"one"_s);
        QCOMPARE(seen, u"one"_s);
        QCOMPARE(receiver->count, 1);
        receiver.reset();
        sender.setObjectName(u"two"_s);
        QCOMPARE(seen, u"two"_s);
        QVERIFY(prompts.shown().isEmpty());
    }

    // A timer that keeps failing under its own open box adds no second box; once the box
    // is answered, the next failure is shown again.
    void oneBoxAtATimeForAHandler()
    {
        ScriptedPrompts prompts;
        const auto fail = [] { throw RuntimeError(76, u"Path not found"_s); };
        prompts.whileShown = [&] { RunGuarded(prompts, u"frmMain:Detection_Timer"_s, fail); };
        RunGuarded(prompts, u"frmMain:Detection_Timer"_s, fail);
        QCOMPARE(prompts.shown().size(), 1);
        RunGuarded(prompts, u"frmMain:Detection_Timer"_s, fail);
        QCOMPARE(prompts.shown().size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_Guarded)
#include "tst_Guarded.moc"

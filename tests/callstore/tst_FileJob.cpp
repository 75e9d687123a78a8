#include "callstore/FileJob.h"
#include "ScriptedPrompts.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QElapsedTimer>

#include <atomic>

using namespace Qt::StringLiterals;

// The job runner: what the work posts runs on the window's thread in order, its questions
// are answered there, and a cancel reaches a work that waits for an answer.
class tst_FileJob : public QObject
{
    Q_OBJECT

private slots:
    void postsAndQuestions_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("heard");
        QTest::newRow("answered") << false << u"1 2 Yes"_s;
        QTest::newRow("cancelled while asking") << true << u"1 2 Cancel"_s;
    }
    void postsAndQuestions()
    {
        QFETCH(bool, cancel);
        ScriptedPrompts prompts;
        prompts.answerNext(Prompts::Yes);
        QStringList heard;
        QThread *window = QThread::currentThread();
        FileJob *job = nullptr;
        job = new FileJob(prompts, u"test"_s, [&](FileJob::Control &control) {
            for (const char *word : {"1", "2"})
                control.post([&heard, word, window] {
                    QCOMPARE(QThread::currentThread(), window);
                    heard << QLatin1StringView(word);
                });
            if (cancel)
                control.post([&job] { job->cancel(); }); // before the question is answered
            const Prompts::Answer a = cancel ? control.msgBox(u"never shown"_s, Prompts::YesNo, Prompts::NoIcon, QString())
                                             : control.msgBox(u"Go on?"_s, Prompts::YesNo, Prompts::Question, QString());
            control.post([&heard, a] { heard << (a == Prompts::Yes ? u"Yes"_s : u"Cancel"_s); });
            if (!control.cancelled())
                throw std::runtime_error("error"); // told on the window's thread
        });
        QSignalSpy finished(job, &FileJob::finished);
        QVERIFY(finished.wait(5000));
        QTEST(heard.join(u' '), "heard");
        // The question is still shown once the window gets to it; its answer comes too late.
        QCOMPARE(prompts.texts().value(0), cancel ? u"never shown"_s : u"Go on?"_s);
        QCOMPARE(prompts.texts().size(), cancel ? 1 : 2);
        QVERIFY(cancel || prompts.texts().last().contains(u"error"_s));
        delete job;
    }

    // A work held by a folder that does not answer (here: asleep, silent) is given up
    // with the message; what it posts later is dropped, and the job goes without it.
    void givesUpOnAStalledWork()
    {
        ScriptedPrompts prompts;
        auto late = std::make_shared<std::atomic<bool>>(false);
        auto *job = new FileJob(prompts, u"test"_s, [late](FileJob::Control &control) {
            QThread::msleep(1500);
            control.post([late] { *late = true; });
        });
        job->giveUpAfter(200);
        QSignalSpy finished(job, &FileJob::finished);
        QVERIFY(finished.wait(1200));
        QVERIFY(job->gaveUp());
        QCOMPARE(prompts.texts(), QStringList{FileJob::StallMessage(200)});
        QElapsedTimer took;
        took.start();
        delete job;
        QVERIFY(took.elapsed() < 500);
        QTest::qWait(1500);
        QVERIFY(!*late);
    }
};

QTEST_GUILESS_MAIN(tst_FileJob)
#include "tst_FileJob.moc"

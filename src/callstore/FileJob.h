#pragma once

#include "base/Prompts.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;
class QTimer;

// One slow job over the calls folder (listing, Find, saving, deleting, mail), on a thread
// of its own, so that the window's thread never waits for a share. The work hears of
// the window only through its Control: what it posts runs on the window's thread, in
// order, guarded; its questions are asked there while the work waits for the answer.
// A share that hangs can hold the work in one call for good: a job may give up on a work
// that shows no life for a while, and a job let go never waits long for its work.
class FileJob : public QObject
{
    Q_OBJECT
public:
    // What the work sees of its job; also a Prompts, so that routines that report
    // through one run unchanged in a job. A one-button box is shown without waiting.
    class Control : public Prompts
    {
    public:
        // Also says the work is alive: it looks between files.
        bool cancelled() const;
        // Runs fn on the window's thread after everything posted before it, unless the
        // job has been given up or let go meanwhile.
        void post(std::function<void()> fn);
        // Says how far the job is; the window hears at most every 100 ms.
        void progress(const QString &text);
        Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override;

    private:
        friend class FileJob;
        struct State
        {
            std::atomic<bool> cancelled = false;
            std::atomic<bool> asking = false; // waits for the window, not for the share
            mutable std::atomic<qint64> alive = 0; // ms, when the work last showed life
            FileJob *job = nullptr; // on the window's thread only; null once given up
            std::mutex lock;
            std::condition_variable answered;
        };
        Prompts *m_prompts = nullptr;
        std::shared_ptr<State> m_state = std::make_shared<State>();
        qint64 m_lastProgress = 0;
    };
    using Work = std::function<void(Control &)>;

    // Starts the work at once. `context` names it in the error box of its posts.
    FileJob(Prompts &prompts, QString context, Work work, QObject *parent = nullptr);
    // Cancels and waits a moment for the work, which looks at cancelled() between files;
    // one held longer by its folder is left to end by itself, heard by nobody.
    ~FileJob() override;

    void cancel();
    bool isFinished() const { return m_finished; }
    bool gaveUp() const { return m_gaveUp; }
    QString context() const { return m_context; }
    QString progressText() const { return m_progressText; }

    // A work silent for this long (in cancelled(), progress() or post()) is given up:
    // the user is told that the folder does not answer and the job finishes at once.
    void giveUpAfter(int ms);
    static constexpr int StallLimit = 10000;
    static QString StallMessage(int ms);

signals:
    void progressed(const QString &text);
    // The work has returned and everything it posted has run, or the job gave up.
    void finished();

private:
    void runGuarded(const std::function<void()> &fn);
    void checkStall();
    void finish();

    Prompts &m_prompts;
    QString m_context;
    std::shared_ptr<Control> m_control;
    QThread *m_thread;
    QTimer *m_watchdog = nullptr;
    int m_stallLimit = 0;
    QString m_progressText;
    bool m_finished = false;
    bool m_gaveUp = false;
};

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

// One slow job over the calls folder (listing, Find, saving, deleting, mail), on a thread
// of its own, so that the window's thread never waits for a share. The work hears of
// the window only through its Control: what it posts runs on the window's thread, in
// order, guarded; its questions are asked there while the work waits for the answer.
class FileJob : public QObject
{
    Q_OBJECT
public:
    // What the work sees of its job; also a Prompts, so that routines that report
    // through one run unchanged in a job. A one-button box is shown without waiting.
    class Control : public Prompts
    {
    public:
        bool cancelled() const { return m_state->cancelled; }
        // Runs fn on the window's thread after everything posted before it.
        void post(std::function<void()> fn);
        // Says how far the job is; the window hears at most every 100 ms.
        void progress(const QString &text);
        Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override;

    private:
        friend class FileJob;
        struct State
        {
            std::atomic<bool> cancelled = false;
            std::mutex lock;
            std::condition_variable answered;
        };
        FileJob *m_job = nullptr;
        std::shared_ptr<State> m_state = std::make_shared<State>();
        qint64 m_lastProgress = 0;
    };
    using Work = std::function<void(Control &)>;

    // Starts the work at once. `context` names it in the error box of its posts.
    FileJob(Prompts &prompts, QString context, Work work, QObject *parent = nullptr);
    // Cancels and waits for the work, which looks at cancelled() between files.
    ~FileJob() override;

    void cancel();
    bool isFinished() const { return m_finished; }
    QString context() const { return m_context; }
    QString progressText() const { return m_progressText; }

signals:
    void progressed(const QString &text);
    // The work has returned and everything it posted has run.
    void finished();

private:
    void runGuarded(const std::function<void()> &fn);

    Prompts &m_prompts;
    QString m_context;
    Control m_control;
    QThread *m_thread;
    QString m_progressText;
    bool m_finished = false;
};

#include "callstore/FileJob.h"

#include "base/Guarded.h"
#include "base/RuntimeError.h"

#include <QDateTime>
#include <QThread>

#include <optional>

void FileJob::Control::post(std::function<void()> fn)
{
    QMetaObject::invokeMethod(m_job, [job = m_job, fn = std::move(fn)] { job->runGuarded(fn); },
                              Qt::QueuedConnection);
}

void FileJob::Control::progress(const QString &text)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastProgress < 100)
        return;
    m_lastProgress = now;
    post([job = m_job, text] {
        job->m_progressText = text;
        emit job->progressed(text);
    });
}

Prompts::Answer FileJob::Control::msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption)
{
    Prompts &prompts = m_job->m_prompts;
    if (buttons == OkOnly) {
        post([&prompts, text, icon, caption] { prompts.msgBox(text, OkOnly, icon, caption); });
        return Ok;
    }
    // The answer lands in shared state: a job cancelled meanwhile no longer waits for it.
    auto answer = std::make_shared<std::optional<Answer>>();
    post([&prompts, state = m_state, answer, text, buttons, icon, caption] {
        const Answer a = prompts.msgBox(text, buttons, icon, caption);
        std::lock_guard hold(state->lock);
        *answer = a;
        state->answered.notify_all();
    });
    std::unique_lock hold(m_state->lock);
    m_state->answered.wait(hold, [&] { return answer->has_value() || m_state->cancelled; });
    return m_state->cancelled ? Cancel : answer->value_or(Cancel);
}

FileJob::FileJob(Prompts &prompts, QString context, Work work, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_context(std::move(context))
{
    m_control.m_job = this;
    m_thread = QThread::create([this, work = std::move(work)] {
        try {
            work(m_control);
        } catch (const std::exception &e) {
            // Told on the window's thread, as any handler's error is.
            m_control.post([number = RuntimeError::numberOf(e), text = RuntimeError::descriptionOf(e)] {
                throw RuntimeError(number, text);
            });
        }
        QMetaObject::invokeMethod(this, [this] {
            m_finished = true;
            emit finished();
        }, Qt::QueuedConnection);
    });
    m_thread->setObjectName(m_context);
    m_thread->start();
}

FileJob::~FileJob()
{
    cancel();
    m_thread->wait();
    delete m_thread;
}

void FileJob::cancel()
{
    std::lock_guard hold(m_control.m_state->lock);
    m_control.m_state->cancelled = true;
    m_control.m_state->answered.notify_all();
}

void FileJob::runGuarded(const std::function<void()> &fn)
{
    RunGuarded(m_prompts, m_context, fn);
}

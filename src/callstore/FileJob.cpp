#include "callstore/FileJob.h"

#include "base/Guarded.h"
#include "base/Product.h"
#include "base/RuntimeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

qint64 nowMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

// Posted work reaches its job through the shared state, which the window's thread clears
// when the job gives up or goes: a work that wakes up late then finds nobody.
template <class State>
void postTo(const std::shared_ptr<State> &state, std::function<void(FileJob &)> fn)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), [state, fn = std::move(fn)] {
        if (state->job)
            fn(*state->job);
    }, Qt::QueuedConnection);
}

} // namespace

bool FileJob::Control::cancelled() const
{
    m_state->alive = nowMs();
    return m_state->cancelled;
}

void FileJob::Control::post(std::function<void()> fn)
{
    m_state->alive = nowMs();
    postTo(m_state, [fn = std::move(fn)](FileJob &job) { job.runGuarded(fn); });
}

void FileJob::Control::progress(const QString &text)
{
    const qint64 now = nowMs();
    m_state->alive = now;
    if (now - m_lastProgress < 100)
        return;
    m_lastProgress = now;
    post([state = m_state, text] {
        state->job->m_progressText = text;
        emit state->job->progressed(text);
    });
}

Prompts::Answer FileJob::Control::msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption)
{
    Prompts &prompts = *m_prompts;
    if (buttons == OkOnly) {
        post([&prompts, text, icon, caption] { prompts.msgBox(text, OkOnly, icon, caption); });
        return Ok;
    }
    // The answer lands in shared state: a job cancelled meanwhile no longer waits for it.
    auto answer = std::make_shared<std::optional<Answer>>();
    m_state->asking = true;
    post([&prompts, state = m_state, answer, text, buttons, icon, caption] {
        const Answer a = prompts.msgBox(text, buttons, icon, caption);
        std::lock_guard hold(state->lock);
        *answer = a;
        state->answered.notify_all();
    });
    std::unique_lock hold(m_state->lock);
    m_state->answered.wait(hold, [&] { return answer->has_value() || m_state->cancelled; });
    m_state->alive = nowMs();
    m_state->asking = false;
    return m_state->cancelled ? Cancel : answer->value_or(Cancel);
}

FileJob::FileJob(Prompts &prompts, QString context, Work work, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_context(std::move(context)),
      m_control(std::make_shared<Control>())
{
    m_control->m_prompts = &prompts;
    m_control->m_state->job = this;
    m_control->m_state->alive = nowMs();
    // The thread holds its control: a job let go may be gone before its work returns.
    m_thread = QThread::create([control = m_control, work = std::move(work)] {
        try {
            work(*control);
        } catch (const std::exception &e) {
            // Told on the window's thread, as any handler's error is.
            control->post([number = RuntimeError::numberOf(e), text = RuntimeError::descriptionOf(e)] {
                throw RuntimeError(number, text);
            });
        }
        postTo(control->m_state, [](FileJob &job) { job.finish(); });
    });
    m_thread->setObjectName(m_context);
    m_thread->start();
}

FileJob::~FileJob()
{
    cancel();
    m_control->m_state->job = nullptr;
    if (m_thread->wait(QDeadlineTimer(m_gaveUp ? 0 : 2000))) {
        delete m_thread;
        return;
    }
    // Held by a folder that does not answer: it ends, and goes, when the call returns.
    QThread *thread = m_thread;
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished())
        thread->deleteLater();
}

void FileJob::cancel()
{
    std::lock_guard hold(m_control->m_state->lock);
    m_control->m_state->cancelled = true;
    m_control->m_state->answered.notify_all();
}

void FileJob::giveUpAfter(int ms)
{
    m_stallLimit = ms;
    if (!m_watchdog) {
        m_watchdog = new QTimer(this);
        GuardedConnect(m_prompts, m_context, m_watchdog, &QTimer::timeout, this, &FileJob::checkStall);
    }
    m_watchdog->start(std::clamp(ms / 4, 10, 500));
}

QString FileJob::StallMessage(int ms)
{
    return tr("The calls folder has not answered for %1 seconds, so this was stopped. "
              "Its share, server or network may be down; what the list shows is kept.").arg((ms + 999) / 1000);
}

void FileJob::checkStall()
{
    const auto &state = m_control->m_state;
    if (m_finished || m_gaveUp || state->asking || nowMs() - state->alive < m_stallLimit)
        return;
    m_gaveUp = true;
    m_watchdog->stop();
    cancel();
    state->job = nullptr; // whatever it posts later is dropped
    m_prompts.message(StallMessage(m_stallLimit), Prompts::Exclamation, ProductName());
    finish();
}

void FileJob::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_watchdog)
        m_watchdog->stop();
    emit finished();
}

void FileJob::runGuarded(const std::function<void()> &fn)
{
    RunGuarded(m_prompts, m_context, fn);
}

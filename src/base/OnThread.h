#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <type_traits>

// Runs f on the thread of `context` and answers its result (true for a void f), or
// nothing when that thread did not get to it within waitMs: a thread that hangs (in a
// sound server, on a share) holds the caller no longer than that. f must hold what it
// uses: it may run after the answer.
template<typename F, typename R = std::invoke_result_t<F>>
std::optional<std::conditional_t<std::is_void_v<R>, bool, R>> RunOnThread(QObject *context, F &&f, int waitMs)
{
    using Answer = std::conditional_t<std::is_void_v<R>, bool, R>;
    auto call = [f = std::forward<F>(f)]() mutable -> Answer {
        if constexpr (std::is_void_v<R>) {
            f();
            return true;
        } else {
            return f();
        }
    };
    if (context->thread() == QThread::currentThread())
        return call();
    // Shared with the call, which outlives a wait that gave up.
    auto done = std::make_shared<std::promise<Answer>>();
    std::future<Answer> result = done->get_future();
    QMetaObject::invokeMethod(
        context, [call = std::move(call), done]() mutable { done->set_value(call()); }, Qt::QueuedConnection);
    if (result.wait_for(std::chrono::milliseconds(waitMs)) != std::future_status::ready)
        return std::nullopt;
    return result.get();
}

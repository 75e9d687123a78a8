#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class Prompts;

// No exception leaves an event handler. Every slot and timer handler runs through
// RunGuarded: an error that gets out of it is shown in the shared error box with the
// handler's name as the context ("frmMain:cmdPlay_Click"), and the event loop goes on.
// Handlers with a box of their own catch first; nothing is swallowed silently.
void RunGuarded(Prompts &prompts, const QString &context, const std::function<void()> &handler) noexcept;

// The handler, guarded, ready for QObject::connect. It takes the signal's arguments when
// it can, and none otherwise.
template <class Handler>
auto Guarded(Prompts &prompts, QString context, Handler handler)
{
    // Constrained, so that Qt can tell how many of the signal's arguments it takes.
    return [&prompts, context = std::move(context), handler = std::move(handler)](auto &&...args) mutable -> void
        requires(std::is_invocable_v<Handler &, decltype(args)...> || std::is_invocable_v<Handler &>)
    {
        RunGuarded(prompts, context, [&] {
            if constexpr (std::is_invocable_v<Handler &, decltype(args)...>)
                std::invoke(handler, std::forward<decltype(args)>(args)...);
            else
                std::invoke(handler);
        });
    };
}

// The one way the program connects a signal to its own code: the handler (a callable, or
// a member of receiver) runs guarded, under the name `context`, while receiver lives.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection GuardedConnect(Prompts &prompts, QString context, const Sender *sender,
                                       Signal signal, Receiver *receiver, Handler handler,
                                       Qt::ConnectionType type = Qt::AutoConnection)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        return QObject::connect(sender, signal, receiver,
                                Guarded(prompts, std::move(context),
                                        [receiver, handler](auto &&...args) -> void
                                            requires(std::is_invocable_v<Handler, Receiver *, decltype(args)...>
                                                     || std::is_invocable_v<Handler, Receiver *>)
                                        {
                                            if constexpr (std::is_invocable_v<Handler, Receiver *, decltype(args)...>)
                                                std::invoke(handler, receiver, std::forward<decltype(args)>(args)...);
                                            else
                                                std::invoke(handler, receiver);
                                        }),
                                type);
    } else {
        return QObject::connect(sender, signal, receiver, Guarded(prompts, std::move(context), std::move(handler)),
                                type);
    }
}

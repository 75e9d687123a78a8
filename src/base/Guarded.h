#pragma once

#include <QString>
#include <functional>
#include <utility>

class Prompts;

// No exception leaves an event handler. Every slot and timer handler runs through
// RunGuarded: an error that gets out of it is shown in the shared error box with the
// handler's name as the context ("frmMain:cmdPlay_Click"), and the event loop goes on.
// Handlers with a box of their own catch first; nothing is swallowed silently.
void RunGuarded(Prompts &prompts, const QString &context, const std::function<void()> &handler) noexcept;

// The handler, guarded, ready for QObject::connect.
template <class Handler>
auto Guarded(Prompts &prompts, QString context, Handler handler)
{
    return [&prompts, context = std::move(context), handler = std::move(handler)] {
        RunGuarded(prompts, context, handler);
    };
}

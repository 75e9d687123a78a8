#include "ScriptedPrompts.h"

#include <utility>

Prompts::Answer ScriptedPrompts::msgBox(const QString &text, Buttons buttons, Icon icon,
                                        const QString &caption)
{
    m_shown.append({text, buttons, icon, caption});
    if (auto run = std::exchange(whileShown, nullptr))
        run();
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    switch (buttons) {
    case YesNo:
    case YesNoCancel: return Yes;
    case AbortRetryIgnore: return Abort;
    case RetryCancel: return Retry;
    default: return Ok;
    }
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result << s.text;
    return result;
}

#pragma once

#include "base/Prompts.h"

#include <QList>
#include <QQueue>
#include <functional>

// Records every message box and answers from a script. Without a scripted answer a
// box is answered with its first button (OK or Yes).
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString caption;
    };

    Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override;

    void answerNext(Answer answer) { m_answers.enqueue(answer); }
    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); m_answers.clear(); }
    // Runs once, while the next box is up: what a timer firing under a modal box would do.
    std::function<void()> whileShown;

private:
    QQueue<Answer> m_answers;
    QList<Shown> m_shown;
};

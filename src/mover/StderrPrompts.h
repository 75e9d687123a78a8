#pragma once

#include "base/Prompts.h"

// The mover has no window: a message box it would show is written to standard error
// and answered with its first button.
class StderrPrompts final : public Prompts
{
public:
    Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override;
};

#pragma once

#include <QString>

// Every message box of the program goes through this service, so that a test can
// script the answer and read exactly what the user would have seen.
class Prompts
{
public:
    enum Buttons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    enum Icon { NoIcon, Critical, Question, Exclamation, Information };
    enum Answer { Ok = 1, Cancel, Abort, Retry, Ignore, Yes, No };

    virtual ~Prompts() = default;

    // Shows a modal message box; returns the button the user chose.
    virtual Answer msgBox(const QString &text, Buttons buttons, Icon icon,
                          const QString &caption) = 0;

    // The common one-button box.
    void message(const QString &text, Icon icon, const QString &caption)
    {
        msgBox(text, OkOnly, icon, caption);
    }
};

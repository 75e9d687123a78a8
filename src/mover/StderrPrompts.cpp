#include "StderrPrompts.h"

#include <cstdio>

Prompts::Answer StderrPrompts::msgBox(const QString &text, Buttons buttons, Icon, const QString &caption)
{
    const QString line = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
    std::fprintf(stderr, "voxmere-mover: %s\n", line.toLocal8Bit().constData());
    switch (buttons) {
    case AbortRetryIgnore: return Abort;
    case YesNoCancel:
    case YesNo: return Yes;
    case RetryCancel: return Retry;
    case OkOnly:
    case OkCancel: break;
    }
    return Ok;
}

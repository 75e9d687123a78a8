#include "app/MessageBoxPrompts.h"

#include "base/Product.h"

#include <QMessageBox>

Prompts::Answer MessageBoxPrompts::msgBox(const QString &text, Buttons buttons, Icon icon,
                                          const QString &caption)
{
    using B = QMessageBox::StandardButton;
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case OkOnly: set = B::Ok; break;
    case OkCancel: set = B::Ok | B::Cancel; break;
    case AbortRetryIgnore: set = B::Abort | B::Retry | B::Ignore; break;
    case YesNoCancel: set = B::Yes | B::No | B::Cancel; break;
    case YesNo: set = B::Yes | B::No; break;
    case RetryCancel: set = B::Retry | B::Cancel; break;
    }
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case NoIcon: break;
    case Critical: qicon = QMessageBox::Critical; break;
    case Question: qicon = QMessageBox::Question; break;
    case Exclamation: qicon = QMessageBox::Warning; break;
    case Information: qicon = QMessageBox::Information; break;
    }
    // Warnings also go to the log, where whoever looks after the PC can find them later.
    if (icon == Critical || icon == Exclamation)
        qWarning("%s", qUtf8Printable(text));
    // A box without a caption bears the program's title.
    QMessageBox box(qicon, caption.isEmpty() ? ProductName() : caption, text, set, m_parent);
    switch (box.exec()) {
    case B::Ok: return Ok;
    case B::Cancel: return Cancel;
    case B::Abort: return Abort;
    case B::Retry: return Retry;
    case B::Ignore: return Ignore;
    case B::Yes: return Yes;
    case B::No: return No;
    default: break;
    }
    // Closed by Escape or the frame: the cancelling answer of the set.
    switch (buttons) {
    case OkOnly: return Ok;
    case YesNo: return No;
    case AbortRetryIgnore: return Abort;
    default: return Cancel;
    }
}

#include "app/MessageBoxPrompts.h"

#include "base/Product.h"

#include <QApplication>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace {

// A box about a dialog sits below it (or above, where the screen ends), so the question it
// refers to stays in sight; centred over it, it would hide that very question.
void placeClearOf(QMessageBox &box, const QWidget *dialog)
{
    box.layout()->activate();
    box.adjustSize();
    const QRect frame = dialog->frameGeometry();
    const QRect screen = dialog->screen()->availableGeometry();
    const int x = std::clamp(frame.center().x() - box.width() / 2, screen.left(), screen.right() - box.width());
    int y = frame.bottom() + 8;
    if (y + box.height() > screen.bottom())
        y = frame.top() - 8 - box.height();
    if (y >= screen.top())
        box.move(x, y);
}

} // namespace

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
    QWidget *dialog = QApplication::activeModalWidget();
    QMessageBox box(qicon, caption.isEmpty() ? ProductName() : caption, text, set, dialog ? dialog : m_parent.data());
    if (dialog)
        placeClearOf(box, dialog);
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

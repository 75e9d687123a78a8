#pragma once

#include <QString>

class QAction;
class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QMenu;
class QWidget;
class XPButton;

// Small pieces the program's windows build alike.
namespace WidgetParts {

// The control (or timer, shortcut) under the name tests and tools find it by, with its tool
// tip when it has one.
template <class W>
W *named(W *widget, const char *name, const QString &tip = QString())
{
    widget->setObjectName(QLatin1StringView(name));
    if constexpr (requires { widget->setToolTip(tip); }) {
        if (!tip.isEmpty())
            widget->setToolTip(tip);
    }
    return widget;
}

// A menu entry that tests and wiring find by its control name.
QAction *addEntry(QMenu *menu, const char *name, const QString &text);

// A dialog button named `name` with its own caption.
XPButton *button(QWidget *parent, const char *name, const QString &caption);

// Puts `accept` (OK, Search...) and `reject` (Cancel, Close) at the end of `row`, in the
// order the desktop's own dialogs give them.
void placeButtons(QBoxLayout *row, XPButton *accept, XPButton *reject);

// OK and Cancel buttons (named btnOK and btnCancel unless told), right-aligned; OK is the
// default.
QHBoxLayout *okCancel(QDialog *dialog, XPButton *&ok, XPButton *&cancel, const char *okName = "btnOK",
                      const char *cancelName = "btnCancel");

// Enter runs `button` wherever in the dialog no control takes it for itself (a line edit
// does not, a multi-line box does), as for a default push button.
void setDefault(QDialog *dialog, XPButton *button);

} // namespace WidgetParts

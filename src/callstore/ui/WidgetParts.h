#pragma once

#include <QString>

class QAction;
class QDialogButtonBox;
class QMenu;
class QPushButton;
class QWidget;

// Small pieces the call store's and review's windows build alike.
namespace WidgetParts {

// A menu entry that tests and wiring find by its control name.
QAction *addEntry(QMenu *menu, const char *name, const QString &text);

// OK and Cancel buttons named btnOK and btnCancel.
QDialogButtonBox *okCancel(QWidget *parent, QPushButton *&ok, QPushButton *&cancel);

} // namespace WidgetParts

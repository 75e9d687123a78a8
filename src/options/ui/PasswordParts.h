#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QLineEdit;
class XPButton;

// What the two password dialogs are built of.
namespace PasswordParts {

// A box that shows "*" for every character typed.
QLineEdit *passwordBox(QDialog *dialog, const char *name, const QString &caption);
// The dialog's rows over OK and Cancel (cmdOK, cmdCancel); Enter runs OK, Cancel rejects.
QFormLayout *layOut(QDialog *dialog, XPButton *&ok, XPButton *&cancel);

} // namespace PasswordParts

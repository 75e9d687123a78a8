#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QLineEdit;
class QPushButton;

// What the two password dialogs are built of.
namespace PasswordParts {

// A box that shows "*" for every character typed.
QLineEdit *passwordBox(QDialog *dialog, const char *name, const QString &caption);
// The dialog's rows over OK and Cancel (cmdOK, cmdCancel); Cancel rejects.
QFormLayout *layOut(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel);

} // namespace PasswordParts

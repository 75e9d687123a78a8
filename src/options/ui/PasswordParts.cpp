#include "options/ui/PasswordParts.h"

#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"

#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace PasswordParts {

QLineEdit *passwordBox(QDialog *dialog, const char *name, const QString &caption)
{
    auto *box = new QLineEdit(dialog);
    box->setObjectName(QLatin1StringView(name));
    box->setEchoMode(QLineEdit::Password);
    box->setAccessibleName(caption);
    return box;
}

QFormLayout *layOut(QDialog *dialog, XPButton *&ok, XPButton *&cancel)
{
    auto *form = new QFormLayout;
    QHBoxLayout *buttons = WidgetParts::okCancel(dialog, ok, cancel, "cmdOK", "cmdCancel");
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addLayout(buttons);
    QObject::connect(cancel, &XPButton::Click, dialog, &QDialog::reject);
    // The whole caption, beside the frame's own buttons.
    dialog->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 200);
    return form;
}

} // namespace PasswordParts

#include "options/ui/PasswordParts.h"

#include "callstore/ui/WidgetParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
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

QFormLayout *layOut(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel)
{
    auto *form = new QFormLayout;
    QDialogButtonBox *buttons = WidgetParts::okCancel(dialog, ok, cancel);
    ok->setObjectName(u"cmdOK"_s);
    cancel->setObjectName(u"cmdCancel"_s);
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    // The whole caption, beside the frame's own buttons.
    dialog->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 200);
    return form;
}

} // namespace PasswordParts

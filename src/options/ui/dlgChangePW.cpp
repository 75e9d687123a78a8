#include "options/ui/dlgChangePW.h"

#include "base/AppContext.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "controls/XPButton.h"
#include "options/OptionsPassword.h"
#include "options/ui/PasswordParts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

using namespace Qt::StringLiterals;

dlgChangePW::dlgChangePW(AppContext &context, QWidget *parent) : QDialog(parent), ctx(context)
{
    setObjectName(u"dlgChangePW"_s);
    setWindowTitle(tr("Set / Change Password"));
    QFormLayout *form = PasswordParts::layOut(this, cmdOK, cmdCancel);
    const char *names[3] = {"txtNew", "txtConfirm", "txtCurrent"};
    const QString texts[3] = {tr("New Password:"), tr("Confirm New Password:"), tr("Current Password:")};
    QLineEdit *edits[3];
    for (int i : {2, 0, 1}) {
        edits[i] = PasswordParts::passwordBox(this, names[i], texts[i].chopped(1));
        lblLabels[i] = new QLabel(texts[i], this);
        lblLabels[i]->setBuddy(edits[i]);
        form->addRow(lblLabels[i], edits[i]);
    }
    txtNew = edits[0];
    txtConfirm = edits[1];
    txtCurrent = edits[2];
    connect(cmdOK, &XPButton::Click, this, &dlgChangePW::cmdOK_Click);

    if (ctx.settings.PW.isEmpty()) {
        lblLabels[2]->setEnabled(false);
        txtCurrent->setEnabled(false);
        txtNew->setFocus();
    }
}

void dlgChangePW::cmdOK_Click()
{
    try {
        change();
    } catch (const std::exception &e) {
        ctx.prompts().message(tr("There was an error processing the password change.  Windows reported: %1, %2")
                                  .arg(RuntimeError::numberOf(e)).arg(RuntimeError::descriptionOf(e)),
                              Prompts::Exclamation, ProductName());
    }
}

void dlgChangePW::change()
{
    Prompts &prompts = ctx.prompts();
    const QString stored = ctx.store.GetStringSetting(u"PW"_s, QString());
    const QString current = txtCurrent->isEnabled() ? txtCurrent->text() : QString();
    if (!OptionsPassword::Matches(stored, current)) {
        prompts.message(tr("Current Password does not match"), Prompts::Exclamation, ProductName());
        txtCurrent->setFocus();
        return;
    }
    if (txtNew->text() != txtConfirm->text()) {
        prompts.message(tr("The passwords you typed do not match.  Type the same password in both boxes."),
                        Prompts::Exclamation, ProductName());
        txtNew->setFocus();
        return;
    }
    if (txtNew->text().isEmpty()
        && prompts.msgBox(tr("Are you sure you want a blank password?"), Prompts::YesNo,
                          Prompts::Exclamation, ProductName())
            != Prompts::Yes)
        return;
    const QString enciphered = OptionsPassword::Encipher(txtNew->text());
    ctx.store.SaveStringSetting(u"PW"_s, enciphered);
    // The store says nothing when the user's settings cannot be written: read it back
    // rather than tell the user of a password that was never kept.
    if (ctx.store.GetStringSetting(u"PW"_s, QString()) != enciphered)
        throw RuntimeError(75, u"Path/File access error"_s);
    // Only whether a password is set is kept in memory, never its text. A blank one
    // counts as none until the next start reads its stored form.
    ctx.settings.PW = txtNew->text().isEmpty() ? QString() : enciphered;
    prompts.message(tr("Password changed"), Prompts::Information, ProductName());
    accept();
}

void dlgChangePW::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}

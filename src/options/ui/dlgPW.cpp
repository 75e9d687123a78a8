#include "options/ui/dlgPW.h"

#include "base/AppContext.h"
#include "base/Prompts.h"
#include "controls/XPButton.h"
#include "options/OptionsPassword.h"
#include "options/ui/PasswordParts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

dlgPW::dlgPW(AppContext &context, QWidget *parent) : QDialog(parent), ctx(context)
{
    setObjectName(u"dlgPW"_s);
    setWindowTitle(tr("Enter Password"));
    QFormLayout *form = PasswordParts::layOut(this, cmdOK, cmdCancel);
    txtPassword = PasswordParts::passwordBox(this, "txtPassword", tr("Password"));
    auto *label = new QLabel(tr("&Password:"), this);
    label->setBuddy(txtPassword);
    form->addRow(label, txtPassword);
    connect(cmdOK, &XPButton::Click, this, &dlgPW::cmdOK_Click);
}

bool dlgPW::Granted(AppContext &ctx, QWidget *owner)
{
    if (ctx.settings.PW.isEmpty())
        return true;
    dlgPW prompt(ctx, owner);
    prompt.exec();
    return prompt.Accepted;
}

void dlgPW::cmdOK_Click()
{
    // Read again: another window of this user may have changed it meanwhile.
    ctx.settings.PW = ctx.store.GetStringSetting(u"PW"_s, QString());
    if (!OptionsPassword::Matches(ctx.settings.PW, txtPassword->text())) {
        ctx.prompts().msgBox(tr("Invalid Password, try again!"), Prompts::OkOnly, Prompts::NoIcon,
                             tr("Login"));
        txtPassword->setFocus();
        txtPassword->selectAll();
        return;
    }
    Accepted = true;
    accept();
}

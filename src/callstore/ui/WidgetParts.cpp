#include "callstore/ui/WidgetParts.h"

#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace WidgetParts {

QAction *addEntry(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

QDialogButtonBox *okCancel(QWidget *parent, QPushButton *&ok, QPushButton *&cancel)
{
    auto *buttons = new QDialogButtonBox(parent);
    ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(u"btnOK"_s);
    cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"btnCancel"_s);
    return buttons;
}

} // namespace WidgetParts

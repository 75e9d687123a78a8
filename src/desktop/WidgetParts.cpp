#include "desktop/WidgetParts.h"

#include "controls/XPButton.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

// Sees the Enter keys that reach the dialog: those its focused control left alone.
class DefaultButton : public QObject
{
public:
    DefaultButton(QDialog *dialog, XPButton *button) : QObject(button), m_button(button)
    {
        dialog->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        // Shift+Enter and the like are someone else's, as for Qt's own default button.
        const bool enter = (key->key() == Qt::Key_Return && key->modifiers() == Qt::NoModifier)
            || (key->key() == Qt::Key_Enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier);
        if (!enter || !m_button->isVisible() || !m_button->isEnabled())
            return false;
        m_button->click();
        return true;
    }

private:
    XPButton *m_button;
};

} // namespace

namespace WidgetParts {

QAction *addEntry(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

XPButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new XPButton(parent, QLatin1StringView(name));
    b->setCaption(caption);
    return b;
}

void placeButtons(QBoxLayout *row, XPButton *accept, XPButton *reject)
{
    const int policy = accept->style()->styleHint(QStyle::SH_DialogButtonLayout, nullptr, accept);
    const bool rejectFirst = policy == QDialogButtonBox::GnomeLayout || policy == QDialogButtonBox::MacLayout;
    XPButton *first = rejectFirst ? reject : accept, *second = rejectFirst ? accept : reject;
    for (XPButton *b : {first, second}) {
        row->removeWidget(b);
        row->addWidget(b);
    }
    QWidget::setTabOrder(first, second);
}

QHBoxLayout *okCancel(QDialog *dialog, XPButton *&ok, XPButton *&cancel, const char *okName,
                      const char *cancelName)
{
    ok = button(dialog, okName, QCoreApplication::translate("WidgetParts", "&OK"));
    cancel = button(dialog, cancelName, QCoreApplication::translate("WidgetParts", "&Cancel"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    placeButtons(row, ok, cancel);
    setDefault(dialog, ok);
    return row;
}

void setDefault(QDialog *dialog, XPButton *button)
{
    new DefaultButton(dialog, button);
}

} // namespace WidgetParts

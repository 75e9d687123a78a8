#include "callstore/ui/dlgEditNote.h"

#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

dlgEditNote::dlgEditNote(const QString &note, QWidget *parent) : QDialog(parent), Note(note)
{
    setObjectName(u"dlgEditNote"_s);
    setWindowTitle(tr("Edit Call Note"));
    auto *label = new QLabel(tr("Call note (Shift+Enter for a new line)"), this);
    txtEditNote = new QPlainTextEdit(note, this);
    txtEditNote->setObjectName(u"txtEditNote"_s);
    txtEditNote->setAccessibleName(tr("Call note"));
    txtEditNote->setTabChangesFocus(true);
    txtEditNote->installEventFilter(this);
    label->setBuddy(txtEditNote);
    QHBoxLayout *buttons = WidgetParts::okCancel(this, btnOK, btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(txtEditNote, 1);
    layout->addLayout(buttons);
    resize(380, 200);
    connect(btnOK, &XPButton::Click, this, &dlgEditNote::btnOK_Click);
    connect(btnCancel, &XPButton::Click, this, &QDialog::reject);
}

void dlgEditNote::btnOK_Click()
{
    Accepted = true;
    Note = txtEditNote->toPlainText();
    accept();
}

bool dlgEditNote::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtEditNote && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & Qt::ShiftModifier)) {
            btnOK_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void dlgEditNote::mousePressEvent(QMouseEvent *event)
{
    m_grab = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void dlgEditNote::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_grab);
}

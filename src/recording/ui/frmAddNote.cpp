#include "recording/ui/frmAddNote.h"

#include "base/Product.h"
#include "base/SettingsStore.h"
#include "base/Twips.h"
#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

frmAddNote::frmAddNote(QTimer &timer, QWidget *owner) : QDialog(owner), tmrAddNote(timer)
{
    setObjectName(u"frmAddNote"_s);
    setWindowTitle(tr("%1 - Add  Recording Note").arg(ProductName()));
    auto *layout = new QVBoxLayout(this);
    lblCallNote = new QLabel(tr("Enter call note (optional)"), this);
    txtCallNote = new QPlainTextEdit(this);
    txtCallNote->setObjectName(u"txtCallNote"_s);
    txtCallNote->setTabChangesFocus(true);
    lblCallNote->setBuddy(txtCallNote);
    // Enter in the note makes a new line; elsewhere it keeps the note.
    QHBoxLayout *buttons = WidgetParts::okCancel(this, OKButton, CancelButton, "OKButton", "CancelButton");
    layout->addWidget(lblCallNote);
    layout->addWidget(txtCallNote, 1);
    layout->addLayout(buttons);
    resize(360, 180);

    // Load: buttons on, the 20 s count running, the tip set.
    OKButton->setEnabled(true);
    CancelButton->setEnabled(true);
    tmrAddNote.start();
    txtCallNote->setToolTip(tr("Enter a note to be associated with the call"));

    // Every keystroke starts the 20 s again.
    connect(txtCallNote, &QPlainTextEdit::textChanged, this, [this] {
        tmrAddNote.stop();
        tmrAddNote.start();
    });
    connect(OKButton, &XPButton::Click, this, &frmAddNote::CloseAddNoteForm);
    connect(CancelButton, &XPButton::Click, this, [this] {
        txtCallNote->clear();
        CloseAddNoteForm();
    });
    connect(&tmrAddNote, &QTimer::timeout, this, [this] {
        tmrAddNote.stop();
        CloseAddNoteForm();
    });
}

void frmAddNote::CloseAddNoteForm()
{
    hide();
    OKButton->setEnabled(false);
    CancelButton->setEnabled(false);
    txtCallNote->setEnabled(false);
    m_closed = true;
}

QString frmAddNote::note() const
{
    return txtCallNote->toPlainText().replace(u'\n', u"\r\n"_s);
}

void frmAddNote::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    txtCallNote->setFocus();
}

// Escape and the window's close box keep what was typed, as the time-out does: only
// the Cancel button drops a note.
void frmAddNote::reject()
{
    CloseAddNoteForm();
}

void frmAddNote::closeEvent(QCloseEvent *event)
{
    event->ignore();
    CloseAddNoteForm();
}

void frmAddNote::PlaceFrom(SettingsStore &store)
{
    bool hasLeft = false, hasTop = false;
    const int left = store.ReadFormValue(u"Left"_s).toInt(&hasLeft);
    const int top = store.ReadFormValue(u"Top"_s).toInt(&hasTop);
    const QPoint at(Twips::toPixels(left, logicalDpiX()), Twips::toPixels(top, logicalDpiX()));
    // Never onto a screen that is gone.
    if (hasLeft && hasTop && QGuiApplication::screenAt(at))
        move(at);
}

QString frmAddNote::Ask(QWidget *owner, QTimer &tmrAddNote, QPointer<frmAddNote> &NoteForm,
                        SettingsStore *store)
{
    frmAddNote form(tmrAddNote, owner);
    if (store)
        form.PlaceFrom(*store);
    NoteForm = &form;
    tmrAddNote.start();
    if (!form.isClosed())
        form.exec();
    const QString note = form.note();
    tmrAddNote.stop();
    if (NoteForm == &form)
        NoteForm = nullptr;
    return note;
}

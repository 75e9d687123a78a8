#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPlainTextEdit;
class QTimer;
class SettingsStore;
class XPButton;

// The note prompt after a call. It closes itself when the main window's tmrAddNote fires
// (20 s without typing), keeping what was typed; a new call closes it the same way.
class frmAddNote : public QDialog
{
    Q_OBJECT
public:
    frmAddNote(QTimer &tmrAddNote, QWidget *owner);

    // Hides the prompt (ending its modal display) and freezes it; the note stays.
    void CloseAddNoteForm();
    bool isClosed() const { return m_closed; }
    QString note() const;

    // Shows a prompt modally over owner with tmrAddNote running; NoteForm points to it
    // while it is open. Answers the note. With a store, the prompt stands at the window
    // position saved there.
    static QString Ask(QWidget *owner, QTimer &tmrAddNote, QPointer<frmAddNote> &NoteForm,
                       SettingsStore *store = nullptr);
    void PlaceFrom(SettingsStore &store);

    QLabel *lblCallNote;
    QPlainTextEdit *txtCallNote;
    XPButton *OKButton;
    XPButton *CancelButton;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QTimer &tmrAddNote;
    bool m_closed = false;
};

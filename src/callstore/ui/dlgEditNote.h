#pragma once

#include <QDialog>

class QPlainTextEdit;
class XPButton;

// Edits the note of a listed call. Enter keeps the change (Shift+Enter starts a new
// line); the dialog moves by dragging anywhere on it.
class dlgEditNote : public QDialog
{
    Q_OBJECT
public:
    explicit dlgEditNote(const QString &note, QWidget *parent = nullptr);

    QString Note;          // lines apart as "\n"
    bool Accepted = false; // OK or Enter

    QPlainTextEdit *txtEditNote;
    XPButton *btnOK, *btnCancel;

    void btnOK_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint m_grab; // where the drag took hold, from the window's corner
};

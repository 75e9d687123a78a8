#pragma once

#include <QDialog>

struct AppContext;
class QLabel;
class QLineEdit;
class XPButton;

// Sets, changes or blanks the options password.
class dlgChangePW : public QDialog
{
    Q_OBJECT
public:
    explicit dlgChangePW(AppContext &ctx, QWidget *parent = nullptr);

    QLabel *lblLabels[3]; // 0 new, 1 confirm, 2 current
    QLineEdit *txtCurrent, *txtNew, *txtConfirm;
    XPButton *cmdOK, *cmdCancel;

    void cmdOK_Click();

protected:
    // The dialog has no title bar of its own worth aiming at: its background moves it.
    void mousePressEvent(QMouseEvent *event) override;

private:
    void change();

    AppContext &ctx;
};

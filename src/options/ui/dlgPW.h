#pragma once

#include <QDialog>

struct AppContext;
class QLineEdit;
class XPButton;

// Asks for the options password before the options open.
class dlgPW : public QDialog
{
    Q_OBJECT
public:
    explicit dlgPW(AppContext &ctx, QWidget *parent = nullptr);

    // The options may open: no password is set, or the prompt took the right one.
    static bool Granted(AppContext &ctx, QWidget *owner);

    QLineEdit *txtPassword;
    XPButton *cmdOK, *cmdCancel;
    bool Accepted = false; // closed by a correct password

    void cmdOK_Click();

private:
    AppContext &ctx;
};

#pragma once

#include <QDialog>

class QLabel;
class XPButton;

// "About Voxmere": the version and the maker's web address.
class dlgAbout : public QDialog
{
    Q_OBJECT
public:
    explicit dlgAbout(QWidget *parent = nullptr);

    QLabel *lblVersion;
    QLabel *Label6; // the web address; a click opens it
    QLabel *lblLicence;
    XPButton *btnOK;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

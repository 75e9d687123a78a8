#pragma once

#include <QDialog>

class QLabel;
class XPButton;

// "About Voxmere": the version and the maker's web address.
class Desktop;

class dlgAbout : public QDialog
{
    Q_OBJECT
public:
    explicit dlgAbout(Desktop &desktop, QWidget *parent = nullptr);

    QLabel *lblVersion;
    QLabel *Label6; // the web address; a click opens it
    QLabel *lblLicence;
    XPButton *btnOK;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Desktop &m_desktop;
};

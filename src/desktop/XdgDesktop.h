#pragma once

#include "base/Desktop.h"

// The freedesktop.org desktop: xdg-email and xdg-mime for mail, Qt's desktop services for
// paths and web addresses (xdg-open), and Qt's folder dialog (the desktop's portal where
// there is one).
class XdgDesktop final : public Desktop
{
public:
    QString mailProgram() override;
    void compose(const Mail &mail, MailFailed failed) override;
    void open(const QString &pathOrAddress) override;
    QUrl chooseFolder(QWidget *owner, const QString &initialFolder, const QString &title) override;
};

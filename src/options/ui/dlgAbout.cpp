#include "options/ui/dlgAbout.h"

#include "base/Product.h"
#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"
#include "base/Desktop.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

dlgAbout::dlgAbout(Desktop &desktop, QWidget *parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(u"dlgAbout"_s);
    setWindowTitle(tr("About %1").arg(ProductName()));
    auto *title = new QLabel(tr("%1 Call Recorder").arg(ProductName()), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    lblVersion = new QLabel(QStringLiteral(VOXMERE_VERSION), this);
    lblVersion->setObjectName(u"lblVersion"_s);
    lblVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label6 = new QLabel(ProductWebAddress(), this);
    Label6->setObjectName(u"Label6"_s);
    Label6->setToolTip(tr("Visit the Voxmere website"));
    Label6->setAccessibleName(tr("Visit the Voxmere website"));
    Label6->setForegroundRole(QPalette::Link);
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->installEventFilter(this);
    lblLicence = new QLabel(tr("GNU General Public License, version 3 or later (GPL-3.0-or-later). "
                               "Voxmere comes with no warranty."), this);
    lblLicence->setObjectName(u"lblLicence"_s);
    lblLicence->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Version:"), lblVersion);
    form->addRow(tr("Web:"), Label6);
    form->addRow(tr("Licence:"), lblLicence);
    btnOK = WidgetParts::button(this, "btnOK", tr("&OK"));
    WidgetParts::setDefault(this, btnOK);
    connect(btnOK, &XPButton::Click, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto *heading = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setObjectName(u"imgIcon"_s);
    icon->setAccessibleName(ProductName());
    icon->setPixmap(windowIcon().pixmap(48, 48)); // the program's, as every window has it
    heading->addWidget(icon);
    heading->addWidget(title, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 200);
}

bool dlgAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label6) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            QFont f = Label6->font();
            f.setUnderline(event->type() == QEvent::Enter);
            Label6->setFont(f);
        } else if (event->type() == QEvent::MouseButtonRelease
                   && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_desktop.open(Label6->text());
        }
    }
    return QDialog::eventFilter(watched, event);
}

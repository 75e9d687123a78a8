#include "review/ui/dlgDatePicker.h"

#include "callstore/ui/WidgetParts.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

dlgDatePicker::dlgDatePicker(const QDate &today, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"dlgDatePicker"_s);
    setWindowTitle(u"Select Date"_s);
    // The whole caption, beside the frame's own buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    monthView = new QCalendarWidget(this);
    monthView->setObjectName(u"monthView"_s);
    monthView->setSelectedDate(today);
    QDialogButtonBox *buttons = WidgetParts::okCancel(this, btnOK, btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(monthView);
    layout->addWidget(buttons);
    connect(monthView, &QCalendarWidget::clicked, btnOK, [this] { btnOK->setFocus(); });
    connect(monthView, &QCalendarWidget::activated, btnOK, [this] { btnOK->setFocus(); });
    connect(btnOK, &QPushButton::clicked, this, [this] {
        Cancelled = false;
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

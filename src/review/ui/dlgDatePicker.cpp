#include "review/ui/dlgDatePicker.h"

#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

dlgDatePicker::dlgDatePicker(const QDate &today, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"dlgDatePicker"_s);
    setWindowTitle(tr("Select Date"));
    // The whole caption, beside the frame's own buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    monthView = new QCalendarWidget(this);
    monthView->setObjectName(u"monthView"_s);
    monthView->setSelectedDate(today);
    // The days' grid is what takes the keyboard; Qt leaves it unnamed for screen readers.
    if (auto *days = monthView->findChild<QAbstractItemView *>(u"qt_calendar_calendarview"_s))
        days->setAccessibleName(tr("Days of the month"));
    QHBoxLayout *buttons = WidgetParts::okCancel(this, btnOK, btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(monthView);
    layout->addLayout(buttons);
    connect(monthView, &QCalendarWidget::clicked, btnOK, [this] { btnOK->setFocus(); });
    connect(monthView, &QCalendarWidget::activated, btnOK, [this] { btnOK->setFocus(); });
    connect(btnOK, &XPButton::Click, this, [this] {
        Cancelled = false;
        accept();
    });
    connect(btnCancel, &XPButton::Click, this, &QDialog::reject);
}

#pragma once

#include <QDialog>

class QCalendarWidget;
class XPButton;

// Picks one date from a month calendar; Cancelled stays true unless OK is pressed.
class dlgDatePicker : public QDialog
{
    Q_OBJECT
public:
    explicit dlgDatePicker(const QDate &today, QWidget *parent = nullptr);

    bool Cancelled = true;
    QCalendarWidget *monthView;
    XPButton *btnOK, *btnCancel;
};

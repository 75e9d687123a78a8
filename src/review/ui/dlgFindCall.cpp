#include "review/ui/dlgFindCall.h"

#include "base/Guarded.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/Twips.h"
#include "base/modErrors.h"
#include "base/modUtilityFunctions.h"
#include "review/clsSearch.h"
#include "review/ui/dlgDatePicker.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using modUtilityFunctions::CDate;

dlgFindCall::dlgFindCall(AppContext &app, FindCallsFn findCalls, QWidget *callList,
                         QWidget *parent)
    : QDialog(parent), m_app(app), m_findCalls(std::move(findCalls))
{
    setObjectName(u"dlgFindCall"_s);
    setWindowTitle(u"Find Calls"_s);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *frame = new QGroupBox(u"Search Criteria :"_s, this);
    auto *form = new QFormLayout(frame);
    auto line = [this](const char *name, const QString &text) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1StringView(name));
        return edit;
    };
    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1StringView(name));
        b->setAutoDefault(false);
        return b;
    };
    txtSearchPath = line("txtSearchPath", app.settings.SearchPath);
    txtSearchPath->setToolTip(u"Folder that will be searched."_s);
    txtSearchPath->setReadOnly(true);
    txtUser = line("txtUser", Any());
    txtDateFrom = line("txtDateFrom", Any());
    txtDateTo = line("txtDateTo", Any());
    txtSearchString = line("txtSearchString", u"*"_s);
    txtSearchString->setToolTip(u"Search string (use * as a wildcard)"_s);
    for (int i = 0; i < 2; ++i) {
        cmdShowCalendar[i] = button(i ? "cmdShowCalendar1" : "cmdShowCalendar0", u"..."_s);
        cmdShowCalendar[i]->setProperty("index", i);
        connect(cmdShowCalendar[i], &QPushButton::clicked, this,
                Guarded(app.prompts(), u"dlgFindCall:cmdShowCalendar_Click"_s, [this, i] { cmdShowCalendar_Click(i); }));
    }
    auto withPicker = [this](QLineEdit *edit, QPushButton *picker) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(picker);
        return row;
    };
    btnToday = button("btnToday", u"To&day"_s);
    chkSearchSubfolders = new QCheckBox(u"Search sub-folders?"_s, this);
    chkSearchSubfolders->setObjectName(u"chkSearchSubfolders"_s);
    chkSearchSubfolders->setToolTip(u"Look for call in all folders below the search path"_s);
    form->addRow(u"Searching:"_s, txtSearchPath);
    form->addRow(u"User :"_s, txtUser);
    form->addRow(u"Date from :"_s, withPicker(txtDateFrom, cmdShowCalendar[0]));
    form->addRow(u"Date to :"_s, withPicker(txtDateTo, cmdShowCalendar[1]));
    form->addRow(QString(), btnToday);
    form->addRow(u"Call Note :"_s, txtSearchString);
    form->addRow(QString(), chkSearchSubfolders);

    cmdClear = button("cmdClear", u"&Clear Search"_s);
    cmdSearch = button("cmdSearch", u"&Search"_s);
    cmdSearch->setDefault(true);
    cmdOK = button("cmdOK", u"Close"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(cmdSearch);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    // Form_Load
    placeBeside(callList);
    if (app.settings.PlayOwnOnly) {
        txtUser->setText(app.CurrentUserName);
        txtUser->setReadOnly(true);
        txtUser->setEnabled(false);
    }
    chkSearchSubfolders->setChecked(app.store.GetLongSetting(u"subfolders"_s, 0) != 0);

    connect(chkSearchSubfolders, &QCheckBox::toggled, this, [this](bool on) {
        m_app.store.SaveLongSetting(u"subfolders"_s, on ? -1 : 0);
    });
    connect(btnToday, &QPushButton::clicked, this, Guarded(app.prompts(), u"dlgFindCall:btnToday_Click"_s, [this] { btnToday_Click(); }));
    connect(cmdClear, &QPushButton::clicked, this, Guarded(app.prompts(), u"dlgFindCall:cmdClear_Click"_s, [this] { cmdClear_Click(); }));
    connect(cmdSearch, &QPushButton::clicked, this, Guarded(app.prompts(), u"dlgFindCall:cmdSearch_Click"_s, [this] { cmdSearch_Click(); }));
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

void dlgFindCall::placeBeside(QWidget *callList)
{
    const int top = m_app.store.GetLongSetting(u"SearchTop"_s, 0);
    const int left = m_app.store.GetLongSetting(u"SearchLeft"_s, 0);
    adjustSize();
    if (top != 0 || left != 0) {
        move(Twips::toPixels(left, logicalDpiX()), Twips::toPixels(top, logicalDpiX()));
        return;
    }
    // First time: level with the call list, just left of it.
    const QPoint list = callList ? callList->mapToGlobal(QPoint(0, 0)) : QPoint();
    move(std::max(0, list.x() - frameGeometry().width()), std::max(0, list.y()));
}

QString dlgFindCall::longDate(const QDate &date) const
{
    return QLocale().toString(date, QLocale::LongFormat);
}

void dlgFindCall::btnToday_Click()
{
    const QString today = longDate(m_app.services.clock.now().date());
    txtDateFrom->setText(today);
    txtDateTo->setText(today);
}

void dlgFindCall::cmdShowCalendar_Click(int index)
{
    dlgDatePicker picker(m_app.services.clock.now().date(), this);
    picker.exec();
    if (picker.Cancelled)
        return;
    const QString picked = longDate(picker.monthView->selectedDate());
    QLineEdit *box = index == 0 ? txtDateFrom : txtDateTo;
    QLineEdit *other = index == 0 ? txtDateTo : txtDateFrom;
    box->setText(picked);
    // One pick fills both boxes, and the To date never ends before the From date.
    const auto from = CDate(txtDateFrom->text()), to = CDate(txtDateTo->text());
    if (!CDate(other->text()) || !from || !to || from->daysTo(*to) < 1)
        other->setText(picked);
}

void dlgFindCall::cmdClear_Click()
{
    txtUser->setText(Any());
    txtDateFrom->setText(Any());
    txtDateTo->setText(Any());
    txtSearchString->setText(u"*"_s);
}

void dlgFindCall::cmdSearch_Click()
{
    clsSearch criteria;
    criteria.Note = txtSearchString->text();
    for (auto [box, date] : {std::pair{txtDateFrom, &criteria.StartDate}, {txtDateTo, &criteria.EndDate}}) {
        if (box->text() == Any())
            continue;
        const auto day = CDate(box->text());
        if (!day) {
            // A typed date that is no date: say so, search nothing.
            modErrors::ReportError(m_app.prompts(), 13, u"Type mismatch"_s, 999,
                                   u"dlgFindCall:cmdSearch_Click"_s, QString());
            box->setFocus();
            return;
        }
        *date = day->toString(u"yyyyMMdd"_s);
    }
    if (txtUser->text() != Any())
        criteria.User = u'*' + txtUser->text() + u'*';
    if (m_findCalls(criteria) == 0) {
        m_app.prompts().message(u"No calls match your search criteria"_s, Prompts::Information,
                                ProductName());
        cmdSearch->setFocus();
    }
}

void dlgFindCall::closeEvent(QCloseEvent *event)
{
    const QPoint at = frameGeometry().topLeft();
    m_app.store.SaveLongSetting(u"SearchTop"_s, Twips::fromPixels(at.y(), logicalDpiX()));
    m_app.store.SaveLongSetting(u"SearchLeft"_s, Twips::fromPixels(at.x(), logicalDpiX()));
    // Not QDialog's own: it would reject, which closes again.
    event->accept();
}

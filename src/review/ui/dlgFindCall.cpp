#include "review/ui/dlgFindCall.h"
#include "ui_dlgFindCall.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Guarded.h"
#include "base/modErrors.h"
#include "base/modUtilityFunctions.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/Twips.h"
#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"
#include "review/clsSearch.h"
#include "review/ui/dlgDatePicker.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QLocale>
#include <QPointer>
#include <QScreen>

using namespace Qt::StringLiterals;
using modUtilityFunctions::CDate;

dlgFindCall::dlgFindCall(AppContext &app, FindCallsFn findCalls, QWidget *callList,
                         QWidget *parent)
    : QDialog(parent), m_app(app), m_findCalls(std::move(findCalls))
{
    setObjectName(u"dlgFindCall"_s);
    setWindowTitle(tr("Find Calls"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    Ui::dlgFindCall ui;
    ui.setupUi(this);
    txtSearchPath = ui.txtSearchPath;
    txtUser = ui.txtUser;
    txtDateFrom = ui.txtDateFrom;
    txtDateTo = ui.txtDateTo;
    txtSearchString = ui.txtSearchString;
    cmdShowCalendar[0] = ui.cmdShowCalendar0;
    cmdShowCalendar[1] = ui.cmdShowCalendar1;
    btnToday = ui.btnToday;
    cmdClear = ui.cmdClear;
    cmdSearch = ui.cmdSearch;
    cmdOK = ui.cmdOK;
    chkSearchSubfolders = ui.chkSearchSubfolders;
    WidgetParts::placeButtons(ui.buttons, cmdSearch, cmdOK);
    WidgetParts::setDefault(this, cmdSearch);
    txtSearchPath->setText(app.settings.SearchPath);
    for (QLineEdit *edit : {txtUser, txtDateFrom, txtDateTo})
        edit->setText(Any());
    txtSearchString->setText(u"*"_s);
    for (int i = 0; i < 2; ++i) {
        cmdShowCalendar[i]->setProperty("index", i);
        // Its caption is "...": say what it opens.
        cmdShowCalendar[i]->setAccessibleName(i == 0 ? tr("Choose the first date") : tr("Choose the last date"));
        cmdShowCalendar[i]->setToolTip(cmdShowCalendar[i]->accessibleName());
        connect(cmdShowCalendar[i], &XPButton::Click, this,
                Guarded(app.prompts(), u"dlgFindCall:cmdShowCalendar_Click"_s, [this, i] { cmdShowCalendar_Click(i); }));
    }

    // The longest long date in full: a Wednesday in September.
    for (QLineEdit *edit : {txtDateFrom, txtDateTo})
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(longDate(QDate(2026, 9, 30))) + 16);

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
    connect(btnToday, &XPButton::Click, this, Guarded(app.prompts(), u"dlgFindCall:btnToday_Click"_s, [this] { btnToday_Click(); }));
    connect(cmdClear, &XPButton::Click, this, Guarded(app.prompts(), u"dlgFindCall:cmdClear_Click"_s, [this] { cmdClear_Click(); }));
    connect(cmdSearch, &XPButton::Click, this, Guarded(app.prompts(), u"dlgFindCall:cmdSearch_Click"_s, [this] { cmdSearch_Click(); }));
    connect(cmdOK, &XPButton::Click, this, &QWidget::close);
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
    // First time: beside the main window where the screen has room, else over the right of
    // the call list, so that the folders stay in sight.
    if (!callList)
        return;
    const QRect main = callList->window()->frameGeometry();
    const QScreen *screen = callList->screen() ? callList->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : main;
    const int width = frameGeometry().width();
    int x = main.right() + 1;
    if (x + width > room.right() + 1)
        x = main.left() - width >= room.left() ? main.left() - width : main.right() + 1 - width;
    move(std::max(room.left(), x), std::max(room.top(), callList->mapToGlobal(QPoint(0, 0)).y()));
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
    m_findCalls(criteria, [dialog = QPointer<dlgFindCall>(this)](qsizetype listed) {
        if (!dialog || listed != 0)
            return;
        dialog->m_app.prompts().message(tr("No calls match your search criteria"), Prompts::Information,
                                        ProductName());
        dialog->cmdSearch->setFocus();
    });
}

void dlgFindCall::closeEvent(QCloseEvent *event)
{
    const QPoint at = frameGeometry().topLeft();
    m_app.store.SaveLongSetting(u"SearchTop"_s, Twips::fromPixels(at.y(), logicalDpiX()));
    m_app.store.SaveLongSetting(u"SearchLeft"_s, Twips::fromPixels(at.x(), logicalDpiX()));
    // Not QDialog's own: it would reject, which closes again.
    event->accept();
}

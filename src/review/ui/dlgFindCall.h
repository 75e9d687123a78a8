#pragma once

#include <QDialog>
#include <functional>

struct AppContext;
struct clsSearch;
class QCheckBox;
class QLineEdit;
class XPButton;

// The modeless Find Calls dialog: criteria for FindCalls over the viewed folder.
class dlgFindCall : public QDialog
{
    Q_OBJECT
public:
    // Starts FindCalls; the callback hears how many calls it listed.
    using FindCallsFn = std::function<void(const clsSearch &, std::function<void(qsizetype)>)>;

    // callList: the main window's list, beside which the dialog first appears.
    dlgFindCall(AppContext &app, FindCallsFn findCalls, QWidget *callList,
                QWidget *parent = nullptr);

    QLineEdit *txtSearchPath, *txtUser, *txtDateFrom, *txtDateTo, *txtSearchString;
    XPButton *cmdShowCalendar[2];
    XPButton *btnToday, *cmdClear, *cmdSearch, *cmdOK;
    QCheckBox *chkSearchSubfolders;

    void cmdShowCalendar_Click(int index);
    void btnToday_Click();
    void cmdClear_Click();
    void cmdSearch_Click();

    static QString Any() { return QStringLiteral("<ANY>"); }

    // Escape closes the dialog as Close does (and keeps its position).
    void reject() override { close(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void placeBeside(QWidget *callList);
    QString longDate(const QDate &date) const;

    AppContext &m_app;
    FindCallsFn m_findCalls;
};

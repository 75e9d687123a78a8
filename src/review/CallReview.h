#pragma once

#include "review/dlgFindCall.h"

#include <QObject>
#include <QPointer>
#include <memory>

class CallList;
class FolderBrowser;
class frmMain;
struct clsSearch;

// The main window's review of calls: its call list, folder browser and Find button.
// frmMain holds one and hands its routines on to it.
class CallReview : public QObject
{
    Q_OBJECT
public:
    explicit CallReview(frmMain &window);
    ~CallReview() override;

    CallList &list() { return *m_list; }
    FolderBrowser &folders() { return *m_folders; }
    dlgFindCall *findDialog() const { return m_find; }

    // Form_Load: the browser on the viewed folder, the columns, today's calls.
    void SetDirPath(const QString &path);
    void SetUpCallColumns();
    void DisplayCalls();
    qsizetype FindCalls(const clsSearch &criteria);

    // The Find button: the dialog beside the window, on the browser's folder.
    void cmdFind_Click();
    // SaveWindowState: the dialog unloaded, the column widths kept.
    void SaveWindowState();

private:
    frmMain &m_window;
    std::unique_ptr<CallList> m_list;
    std::unique_ptr<FolderBrowser> m_folders;
    QPointer<dlgFindCall> m_find;
};

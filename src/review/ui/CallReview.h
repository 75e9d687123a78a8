#pragma once

#include "review/ui/dlgFindCall.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

struct AppContext;
class CallList;
class FolderBrowser;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class OrvaneButton;
class QToolButton;
class QTreeView;
struct clsSearch;

// The main window's review of calls: its call list, folder browser and Find button.
// The main window holds one and hands its routines on to it.
class CallReview : public QObject
{
    Q_OBJECT
public:
    // The window's controls the review works.
    struct Controls
    {
        QWidget *window;
        QTreeView *lvwCalls;
        QPlainTextEdit *txtNote;
        QLabel *countPanel;
        QComboBox *drvList;
        QTreeView *dirList;
        OrvaneButton *btnHome, *cmdNewFolder, *btnDelFolder;
        QToolButton *cmdFind, *cmdEmail, *cmdSave;
    };

    CallReview(AppContext &ctx, const Controls &controls);
    ~CallReview() override;

    CallList &list() { return *m_list; }
    FolderBrowser &folders() { return *m_folders; }
    dlgFindCall *findDialog() const { return m_find; }

    // Form_Load: the browser on the viewed folder, the columns, today's calls.
    void SetDirPath(const QString &path);
    void SetUpCallColumns();
    // Today's calls.
    void DisplayCalls();
    // Lists the matches as they are found; done hears how many were listed.
    void FindCalls(const clsSearch &criteria, bool folderOnly = false,
                   std::function<void(qsizetype listed)> done = {});

    // The Find button: the dialog beside the window, on the browser's folder.
    void cmdFind_Click();
    // SaveWindowState: the dialog unloaded, the column widths kept.
    void SaveWindowState();

private:
    AppContext &m_ctx;
    Controls m_controls;
    std::unique_ptr<CallList> m_list;
    std::unique_ptr<FolderBrowser> m_folders;
    QPointer<dlgFindCall> m_find;
};

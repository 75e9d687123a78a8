#include "review/CallReview.h"

#include "app/AppContext.h"
#include "app/frmMain.h"
#include "callstore/CallFolders.h"
#include "callstore/CallList.h"
#include "callstore/FolderBrowser.h"
#include "review/clsSearch.h"
#include "review/dlgFindCall.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

CallReview::CallReview(frmMain &window)
    : m_window(window),
      m_list(std::make_unique<CallList>(window.ctx, window.lvwCalls, window.txtNote,
                                        window.StatusPanel[2])),
      m_folders(std::make_unique<FolderBrowser>(window.ctx, window.drvList, window.dirList,
                                                window.btnHome, window.cmdNewFolder,
                                                window.btnDelFolder))
{
    connect(m_folders.get(), &FolderBrowser::showAllCallsRequested, this,
            [this] { FindCalls(clsSearch()); });
    connect(m_folders.get(), &FolderBrowser::viewedFolderDeleted, m_list.get(), &CallList::ClearListing);
    connect(window.cmdFind, &QToolButton::clicked, this, &CallReview::cmdFind_Click);
    // The pop-up's e-mail and save entries are the buttons' own actions.
    connect(m_list.get(), &CallList::emailRequested, window.cmdEmail, [&window] { emit window.cmdEmail->clicked(); });
    connect(m_list.get(), &CallList::saveRequested, window.cmdSave, [&window] { emit window.cmdSave->clicked(); });
}

CallReview::~CallReview() = default;

void CallReview::SetDirPath(const QString &path)
{
    // A viewed folder removed since the last run: its nearest parent instead, and the
    // listing follows it there rather than failing on the folder that is gone.
    const QString folder = CallFolders::NearestExisting(path);
    if (!QFileInfo(path).isDir())
        m_window.ctx.settings.SearchPath = folder;
    m_folders->FillDrives(folder);
    m_folders->SetDirPath(folder);
}

void CallReview::SetUpCallColumns()
{
    m_list->SetUpCallColumns();
}

void CallReview::DisplayCalls()
{
    m_list->DisplayCalls();
}

qsizetype CallReview::FindCalls(const clsSearch &criteria)
{
    return m_list->FindCalls(criteria);
}

void CallReview::cmdFind_Click()
{
    AppContext &ctx = m_window.ctx;
    if (!m_find) {
        m_find = new dlgFindCall(ctx, [this](const clsSearch &c) { return FindCalls(c); },
                                 m_window.lvwCalls, &m_window);
    }
    m_find->show();
    QString path = m_folders->Path();
    if (!path.endsWith(u'/'))
        path += u'/';
    ctx.settings.SearchPath = path;
    m_find->txtSearchPath->setText(path);
    ctx.store.SaveStringSetting(u"SearchPath"_s, path);
    m_find->raise();
    m_find->activateWindow();
}

void CallReview::SaveWindowState()
{
    if (m_find)
        m_find->close();
    m_list->SaveColumnWidths();
}

#include "review/ui/CallReview.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Guarded.h"
#include "callstore/CallFolders.h"
#include "callstore/ui/CallList.h"
#include "callstore/ui/FolderBrowser.h"
#include "review/CallSearch.h"
#include "review/LiveFolder.h"
#include "review/clsSearch.h"
#include "review/ui/dlgFindCall.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

CallReview::CallReview(AppContext &ctx, const Controls &c)
    : m_ctx(ctx), m_controls(c),
      m_list(std::make_unique<CallList>(ctx, c.lvwCalls, c.txtNote, c.countPanel)),
      m_folders(std::make_unique<FolderBrowser>(ctx, c.drvList, c.dirList, c.btnHome,
                                                c.cmdNewFolder, c.btnDelFolder))
{
    GuardedConnect(ctx.prompts(), u"frmMain:mnuFolderShowAll_Click"_s, m_folders.get(),
                   &FolderBrowser::showAllCallsRequested, this, [this] { FindCalls(clsSearch()); });
    // The temporary folder may hold the default calls folder: its own calls only.
    GuardedConnect(ctx.prompts(), u"frmMain:drvList_Change"_s, m_folders.get(), &FolderBrowser::waitingCallsRequested,
                   this, [this] { FindCalls(clsSearch(), true); });
    connect(m_folders.get(), &FolderBrowser::viewedFolderDeleted, m_list.get(), &CallList::ClearListing);
    connect(c.cmdFind, &QToolButton::clicked, this, Guarded(ctx.prompts(), u"frmMain:cmdFind_Click"_s, [this] { cmdFind_Click(); }));
    // The pop-up's e-mail and save entries are the buttons' own actions.
    connect(m_list.get(), &CallList::emailRequested, c.cmdEmail, [b = c.cmdEmail] { emit b->clicked(); });
    connect(m_list.get(), &CallList::saveRequested, c.cmdSave, [b = c.cmdSave] { emit b->clicked(); });
}

CallReview::~CallReview() = default;

void CallReview::SetDirPath(const QString &path)
{
    // A viewed folder removed since the last run: its nearest parent instead, and the
    // listing follows it there rather than failing on the folder that is gone.
    const QString folder = CallFolders::NearestExisting(path);
    if (!QFileInfo(path).isDir())
        m_ctx.settings.SearchPath = folder;
    m_folders->FillDrives(folder);
    m_folders->SetDirPath(folder);
}

void CallReview::SetUpCallColumns()
{
    m_list->SetUpCallColumns();
}

void CallReview::DisplayCalls()
{
    clsSearch today;
    today.StartDate = m_ctx.services.clock.now().date().toString(u"yyyyMMdd"_s);
    today.EndDate = today.StartDate;
    FindCalls(today);
}

void CallReview::FindCalls(const clsSearch &criteria, bool folderOnly, std::function<void(qsizetype)> done)
{
    const CallSearch::Scope scope = CallSearch::ScopeOf(m_ctx, folderOnly);
    m_list->StartListing([scope, criteria](CallListingSink &sink, Prompts &prompts) {
        CallSearch(scope, prompts).Run(criteria, sink);
    }, std::move(done), std::make_shared<LiveFolder>(scope, criteria));
}

void CallReview::cmdFind_Click()
{
    AppContext &ctx = m_ctx;
    if (!m_find) {
        m_find = new dlgFindCall(ctx, [this](const clsSearch &c, auto done) { FindCalls(c, false, std::move(done)); },
                                 m_controls.lvwCalls, m_controls.window);
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

#include "callstore/ui/FolderBrowser.h"

#include "base/AppContext.h"
#include "base/Guarded.h"
#include "base/modErrors.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "callstore/CallFolders.h"
#include "callstore/ui/dlgNewFolder.h"
#include "desktop/WidgetParts.h"
#include "controls/OrvaneButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
constexpr int WaitingRole = Qt::UserRole + 1; // the entry of the calls not filed yet
}

FolderBrowser::FolderBrowser(AppContext &app, QComboBox *drvList, QTreeView *dirList,
                             OrvaneButton *btnHome, OrvaneButton *cmdNewFolder,
                             OrvaneButton *btnDelFolder, QObject *parent)
    : QObject(parent), m_app(app), m_drives(drvList), m_dirs(dirList),
      m_model(new QFileSystemModel(this))
{
    m_drives->setToolTip(tr("Change the drive where Voxmere will look for calls"));
    m_dirs->setToolTip(tr("Change the folder where Voxmere will look for calls"));
    cmdNewFolder->setToolTip(tr("Create New Folder"));
    btnDelFolder->setToolTip(tr("Delete Folder (empty folders only)"));

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_dirs->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_dirs->hideColumn(column);
    m_dirs->setHeaderHidden(true);
    m_dirs->viewport()->installEventFilter(this);
    // The model reads folders in the background: follow the viewed folder as it appears.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (!m_path.startsWith(loaded))
            return;
        const QModelIndex here = m_model->index(m_path);
        m_dirs->setCurrentIndex(here);
        m_dirs->scrollTo(here);
    });

    mnuFolder = new QMenu(tr("Folder"), m_dirs);
    mnuFolder->setObjectName(u"mnuFolder"_s);
    auto entry = [this](const char *name, const QString &text) {
        return WidgetParts::addEntry(mnuFolder, name, text);
    };
    mnuFolderNew = entry("mnuFolderNew", tr("New Folder"));
    mnuFolderDelete = entry("mnuFolderDelete", tr("Delete Folder"));
    mnuFolderDefault = entry("mnuFolderDefault", tr("Make default folder"));
    mnuFolderShowAll = entry("mnuFolderShowAll", tr("Show all calls in folder"));

    Prompts &prompts = m_app.prompts();
    connect(m_drives, &QComboBox::activated, this, [this, &prompts](int index) {
        RunGuarded(prompts, u"frmMain:drvList_Change"_s, [&] { drvList_Change(index); });
    });
    connect(m_dirs, &QTreeView::clicked, this, [this, &prompts](const QModelIndex &index) {
        RunGuarded(prompts, u"frmMain:dirList_Click"_s, [&] { dirList_Click(index); });
    });
    connect(btnHome, &OrvaneButton::Click, this, Guarded(prompts, u"frmMain:btnHome_Click"_s, [this] { btnHome_Click(); }));
    connect(cmdNewFolder, &OrvaneButton::Click, this, Guarded(prompts, u"frmMain:cmdNewFolder_Click"_s, [this] { NewFolder(); }));
    connect(btnDelFolder, &OrvaneButton::Click, this, Guarded(prompts, u"frmMain:btnDelFolder_Click"_s, [this] { DeleteFolder(); }));
    connect(mnuFolderNew, &QAction::triggered, this, Guarded(prompts, u"frmMain:mnuFolderNew_Click"_s, [this] { NewFolder(); }));
    connect(mnuFolderDelete, &QAction::triggered, this, Guarded(prompts, u"frmMain:btnDelFolder_Click"_s, [this] { DeleteFolder(); }));
    connect(mnuFolderDefault, &QAction::triggered, this,
            Guarded(prompts, u"frmMain:mnuFolderDefault_Click"_s, [this] { mnuFolderDefault_Click(); }));
    connect(mnuFolderShowAll, &QAction::triggered, this, &FolderBrowser::showAllCallsRequested);
}

void FolderBrowser::FillDrives(const QString &path)
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    roots.sort();
    roots.removeDuplicates();
    m_drives->clear();
    // Where the calls are first, then the user's own folder, then every volume.
    const QString calls = QDir::cleanPath(m_app.settings.CallPath);
    if (!calls.isEmpty() && QFileInfo(calls).isDir())
        m_drives->addItem(tr("Calls"), calls);
    m_drives->addItem(tr("Home"), QDir::homePath());
    for (int i = 0; i < m_drives->count(); ++i)
        m_drives->setItemData(i, m_drives->itemData(i), Qt::ToolTipRole);
    for (const QString &root : roots)
        m_drives->addItem(root, root);
    // Calls the mover could not file yet wait in the temporary folder: there they are
    // found and played as any.
    if (!m_app.TempFolder.isEmpty()) {
        m_drives->addItem(tr("Waiting to be filed"), QDir::cleanPath(m_app.TempFolder));
        m_drives->setItemData(m_drives->count() - 1, true, WaitingRole);
    }
    m_drives->setCurrentIndex(placeOf(path));
}

int FolderBrowser::placeOf(const QString &path)
{
    const QString folder = QDir::cleanPath(path);
    if (!m_app.TempFolder.isEmpty() && folder == QDir::cleanPath(m_app.TempFolder))
        return m_drives->findData(true, WaitingRole);
    // The closest place that holds it.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString place = m_drives->itemData(i).toString();
        const bool holds = folder == place || folder.startsWith(place.endsWith(u'/') ? place : place + u'/');
        if (holds && !m_drives->itemData(i, WaitingRole).toBool() && place.size() > bestLength) {
            best = i;
            bestLength = place.size();
        }
    }
    if (best < 0) {
        const QString root = QStorageInfo(folder).rootPath();
        if (root.isEmpty())
            return -1;
        m_drives->addItem(root, root);
        best = m_drives->count() - 1;
    }
    return best;
}

bool FolderBrowser::SetDirPath(const QString &path)
{
    const QString folder = QDir::cleanPath(path);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        throw RuntimeError(76, QCoreApplication::translate("RuntimeError", "Path not found"));
    m_path = folder;
    // The tree starts at the place chosen in the drive list, not at "/".
    const int place = placeOf(folder);
    m_drives->setCurrentIndex(place);
    const QString root = place < 0 ? QStorageInfo(folder).rootPath() : m_drives->itemData(place).toString();
    m_model->setRootPath(root);
    m_dirs->setRootIndex(m_model->index(root));
    const QModelIndex here = m_model->index(folder);
    // Its parents open down to it, and it open on its own subfolders.
    for (QModelIndex up = here; up.isValid(); up = up.parent())
        m_dirs->expand(up);
    m_dirs->setCurrentIndex(here);
    m_dirs->scrollTo(here);
    return true;
}

void FolderBrowser::drvList_Change(int index)
{
    const QString root = m_drives->itemData(index).toString();
    if (m_drives->itemData(index, WaitingRole).toBool()) {
        SetDirPath(root);
        m_app.settings.SearchPath = m_path;
        emit waitingCallsRequested();
        return;
    }
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !QStorageInfo(root).isReady()) {
        m_app.prompts().message(tr("Device Unavailable"), Prompts::Information, ProductName());
        m_drives->setCurrentIndex(placeOf(m_path));
        return;
    }
    SetDirPath(root);
}

void FolderBrowser::dirList_Click(const QModelIndex &index)
{
    try {
        SetDirPath(m_model->filePath(index));
        m_app.settings.SearchPath = m_path;
    } catch (const RuntimeError &) {
        // A folder removed behind the list's back: stay where we are.
    }
}

void FolderBrowser::btnHome_Click()
{
    try {
        SetDirPath(m_app.settings.CallPath);
    } catch (const RuntimeError &e) {
        if (e.number() == 76) {
            const bool defaultThere = QFileInfo(ProgramSettings::DefaultCallPath()).isDir();
            m_app.prompts().message(defaultThere ? tr("Default folder has been deleted!")
                                                 : tr("Unable to set default folder!"),
                                    Prompts::Exclamation, ProductName());
        } else {
            modErrors::ReportError(m_app.prompts(), e.number(), e.description(), 999,
                                   u"frmMain:btnHome_Click"_s, QString());
        }
        return;
    }
    // The next listing is of the recording folder too.
    m_app.settings.SearchPath = m_path;
    m_app.store.SaveStringSetting(u"SearchPath"_s, m_path);
}

void FolderBrowser::NewFolder()
{
    dlgNewFolder dialog(m_app.prompts(), m_path, m_dirs->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // In sight: the model reads the folder in the background.
    const QString made = dialog.ParentFolder + u'/' + dialog.txtFolder->text();
    m_dirs->expand(m_model->index(m_path));
    m_dirs->scrollTo(m_model->index(made));
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this, made] { m_dirs->scrollTo(m_model->index(made)); },
            Qt::SingleShotConnection);
}

void FolderBrowser::DeleteFolder()
{
    const QString folder = m_path;
    try {
        if (!CallFolders::TreeIsEmpty(folder)) {
            m_app.prompts().message(
                tr("Folder or subfolder not empty - for safety please delete all calls in folder first"),
                Prompts::Exclamation, ProductName());
            return;
        }
        CallFolders::RemoveEmptyTree(folder);
        if (folder == QDir::cleanPath(m_app.settings.SearchPath))
            emit viewedFolderDeleted();
        SetDirPath(CallFolders::NearestExisting(folder));
        m_app.settings.SearchPath = m_path;
    } catch (const std::exception &e) {
        modErrors::ReportError(m_app.prompts(), RuntimeError::numberOf(e),
                               RuntimeError::descriptionOf(e), 999,
                               u"frmMain:btnDelFolder_Click"_s, QString());
    }
}

void FolderBrowser::mnuFolderDefault_Click()
{
    if (m_app.prompts().msgBox(tr("Make %1 your recorded calls folder?").arg(m_path),
                               Prompts::OkCancel, Prompts::Question, tr("Set Default"))
        != Prompts::Ok)
        return;
    m_app.settings.CallPath = m_path;
    m_app.store.SaveStringSetting(u"CallPath"_s, m_path);
}

bool FolderBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_dirs->viewport() || event->type() != QEvent::MouseButtonPress)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::RightButton)
        return false;
    // The menu acts on the folder it was opened over.
    const QModelIndex under = m_dirs->indexAt(mouse->position().toPoint());
    if (under.isValid())
        dirList_Click(under);
    mnuFolder->popup(m_dirs->viewport()->mapToGlobal(mouse->position().toPoint()));
    return true;
}

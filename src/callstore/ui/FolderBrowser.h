#pragma once

#include <QObject>
#include <QString>

struct AppContext;
class QAction;
class QComboBox;
class QFileSystemModel;
class QMenu;
class QModelIndex;
class OrvaneButton;
class QTreeView;

// The drive list and directory list of the main window, with the home, new-folder and
// delete-folder buttons and the folder menu. The directory list's path is the folder
// the browser stands on; choosing a folder makes it the viewed folder ("SearchPath").
class FolderBrowser : public QObject
{
    Q_OBJECT
public:
    FolderBrowser(AppContext &app, QComboBox *drvList, QTreeView *dirList, OrvaneButton *btnHome,
                  OrvaneButton *cmdNewFolder, OrvaneButton *btnDelFolder, QObject *parent = nullptr);

    // The path of dirList: no trailing "/" except for "/".
    QString Path() const { return m_path; }
    // Shows this folder; throws RuntimeError 76 when it does not exist.
    bool SetDirPath(const QString &path);
    // Fills the drive list with the calls folder, the home folder, the mounted volumes and
    // "Waiting to be filed" (the temporary folder), and selects the one of this path.
    void FillDrives(const QString &path);

    // Handlers, also reached from tests.
    void drvList_Change(int index);
    void dirList_Click(const QModelIndex &index);
    void btnHome_Click();
    void NewFolder();
    void DeleteFolder();
    void mnuFolderDefault_Click();

    QMenu *mnuFolder;
    QAction *mnuFolderNew, *mnuFolderDelete, *mnuFolderDefault, *mnuFolderShowAll;

signals:
    void showAllCallsRequested();
    void viewedFolderDeleted();
    // "Waiting to be filed" chosen: it is the viewed folder, its calls are to be listed.
    void waitingCallsRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The drive list's entry whose tree shows `path` (added for its volume if none does).
    int placeOf(const QString &path);

    AppContext &m_app;
    QComboBox *m_drives;
    QTreeView *m_dirs;
    QFileSystemModel *m_model;
    QString m_path;
};

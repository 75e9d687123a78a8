#include "desktop/DesktopShell.h"

#include "base/Desktop.h"
#include "base/Product.h"
#include "base/ProgramFiles.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace DesktopShell {

QString BrowseForFolder(Desktop &desktop, QWidget *owner, const QString &initialFolder, const QString &title,
                        Prompts &prompts)
{
    try {
        const QUrl chosen = desktop.chooseFolder(owner, initialFolder, title);
        if (chosen.isEmpty())
            return QString();
        // A portal may answer with a place only its file manager reaches.
        if (!chosen.isLocalFile()) {
            prompts.msgBox(QCoreApplication::translate("DesktopShell", "GetPathFromIDList failed - please enter folder path manually"),
                           Prompts::OkOnly, Prompts::NoIcon, ProductName());
            return QString();
        }
        QString path = chosen.toLocalFile();
        if (!path.endsWith(u'/'))
            path += u'/';
        return path;
    } catch (const std::exception &e) {
        prompts.msgBox(QCoreApplication::translate("DesktopShell", "BrowseForFolder Error: %1, %2")
                           .arg(QString::number(RuntimeError::numberOf(e)), RuntimeError::descriptionOf(e)),
                       Prompts::OkOnly, Prompts::NoIcon, ProductName());
        return QString();
    }
}

void ShowHelp(QWidget *owner, const QString &page)
{
    static QPointer<QTextBrowser> frmHelp;
    if (!frmHelp) {
        frmHelp = new QTextBrowser(owner);
        frmHelp->setWindowFlag(Qt::Window);
        frmHelp->setAttribute(Qt::WA_DeleteOnClose);
        frmHelp->setObjectName(u"frmHelp"_s);
        frmHelp->setAccessibleName(QCoreApplication::translate("DesktopShell", "%1 Help").arg(ProductName()));
        frmHelp->setWindowTitle(frmHelp->accessibleName());
        frmHelp->setOpenExternalLinks(true);
        frmHelp->resize(760, 600);
    }
    const QString file = ProgramFile(u"help/"_s + page);
    if (QFileInfo::exists(file))
        frmHelp->setSource(QUrl::fromLocalFile(file));
    else
        frmHelp->setPlainText(QCoreApplication::translate("DesktopShell", "The help pages are not installed: %1 is missing.").arg(file));
    frmHelp->show();
    frmHelp->raise();
    frmHelp->activateWindow();
}

} // namespace DesktopShell

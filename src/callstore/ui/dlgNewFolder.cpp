#include "callstore/ui/dlgNewFolder.h"

#include "base/FileAccess.h"
#include "base/modErrors.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "callstore/CallFolders.h"
#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

dlgNewFolder::dlgNewFolder(Prompts &prompts, const QString &parentFolder, QWidget *parent)
    : QDialog(parent), ParentFolder(parentFolder), m_prompts(prompts)
{
    setObjectName(u"dlgNewFolder"_s);
    setWindowTitle(tr("New Folder"));
    // The whole caption, beside the frame's own buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    txtFolder = new QLineEdit(u"NewFolder"_s, this);
    txtFolder->setObjectName(u"txtFolder"_s);
    txtFolder->setToolTip(tr("Folder name"));
    txtFolder->setAccessibleName(txtFolder->toolTip());
    txtFolder->selectAll();
    QHBoxLayout *buttons = WidgetParts::okCancel(this, btnOK, btnCancel);
    auto *where = new QLabel(tr("In %1").arg(parentFolder), this);
    where->setObjectName(u"lblWhere"_s);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addWidget(txtFolder);
    layout->addLayout(buttons);
    connect(btnOK, &XPButton::Click, this, &dlgNewFolder::btnOK_Click);
    connect(btnCancel, &XPButton::Click, this, &QDialog::reject);
}

void dlgNewFolder::btnOK_Click()
{
    const QString name = txtFolder->text();
    if (!CallFolders::IsValidFolderName(name)) {
        m_prompts.message(tr("A folder cannot contain any of the following characters:\r\n%1\\ / : * ? \" < > |")
                              .arg(QString(23, u' ')),
                          Prompts::Critical, tr("New Folder"));
        return;
    }
    const QString path = ParentFolder + u'/' + name;
    if (QFileInfo(path).isDir()) {
        m_prompts.message(tr("Folder already exists!"), Prompts::Exclamation, ProductName());
        return;
    }
    if (!FileAccess::MakeFolder(path, FileAccess::FolderModeIn(ParentFolder))) {
        // Refused (no rights, a file of that name, a full disk): say why, stay open.
        modErrors::ReportError(m_prompts, 75, QString::fromLocal8Bit(strerror(errno)), 999,
                               u"dlgNewFolder:btnOK_Click"_s, QString());
        return;
    }
    Created = true;
    accept();
}

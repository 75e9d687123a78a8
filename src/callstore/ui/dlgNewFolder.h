#pragma once

#include <QDialog>

class Prompts;
class QLineEdit;
class XPButton;

// Asks for the name of a new folder and creates it in ParentFolder.
class dlgNewFolder : public QDialog
{
    Q_OBJECT
public:
    dlgNewFolder(Prompts &prompts, const QString &parentFolder, QWidget *parent = nullptr);

    QString ParentFolder;
    bool Created = false;

    QLineEdit *txtFolder;
    XPButton *btnOK, *btnCancel;

    void btnOK_Click();

private:
    Prompts &m_prompts;
};

#pragma once

#include <QString>

class Desktop;
class Prompts;
class QWidget;

// The program's use of the desktop: its folder chooser, as the windows ask for a folder,
// and the help pages.
namespace DesktopShell {

// The desktop's folder chooser, opening at initialFolder; the chosen folder ending in "/",
// or "" when cancelled or when it is no folder of this PC.
QString BrowseForFolder(Desktop &desktop, QWidget *owner, const QString &initialFolder, const QString &title,
                        Prompts &prompts);
// The guide's page in the program's help window.
void ShowHelp(QWidget *owner, const QString &page = QStringLiteral("index.html"));

} // namespace DesktopShell

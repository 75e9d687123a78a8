#pragma once

#include <QString>

class Prompts;
class QWidget;

// What the desktop does for the program: its browser and mail program, its folder
// chooser, and the help pages.
namespace DesktopShell {

// The desktop's handler opens the path or web address; an empty text does nothing.
void ShellOpen(const QString &text);
// The desktop's folder chooser, opening at initialFolder; the chosen folder ending in "/",
// or "" when cancelled or when it is no folder of this PC.
QString BrowseForFolder(QWidget *owner, const QString &initialFolder, const QString &title,
                        Prompts &prompts);
// The folder of the help pages: "help" beside the program in the build tree, else the
// installed share/voxmere/help.
QString HelpFolder();
// The guide's page in the program's help window.
void ShowHelp(QWidget *owner, const QString &page = QStringLiteral("index.html"));

} // namespace DesktopShell

#pragma once

#include <QString>

class QCoreApplication;

// A file the program brings along (help pages, sounds, translations): beside the
// program in the build tree, else in the installed share/voxmere.
QString ProgramFile(const QString &relative);

// The program's texts and Qt's own (the buttons of message boxes, the file dialog) in
// the language of the system's locale, where a translation for it is installed.
void InstallTranslations(QCoreApplication &app);

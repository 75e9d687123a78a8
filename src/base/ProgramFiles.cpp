#include "base/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

QString ProgramFile(const QString &relative)
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString beside = QDir::cleanPath(program + u'/' + relative);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(program + u"/../share/voxmere/"_s + relative);
}

void InstallTranslations(QCoreApplication &app)
{
    const QLocale locale;
    const auto install = [&](const QString &name, const QString &folder) {
        auto *translator = new QTranslator(&app);
        if (translator->load(locale, name, u"_"_s, folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    };
    install(u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(u"voxmere"_s, ProgramFile(u"translations"_s));
}

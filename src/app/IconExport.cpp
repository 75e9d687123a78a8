// voxmere-icons FOLDER: writes the window icon "AAA" as FOLDER/hicolor/NxN/apps/voxmere.png,
// the sizes the desktop's icon theme looks for. Run by the build; not installed.
#include "app/AppIcons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: voxmere-icons FOLDER\n");
        return 2;
    }
    const QIcon icon = AppIcons::windowIcon();
    for (const QSize &size : icon.availableSizes()) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/%1x%1/apps").arg(size.width());
        if (!QDir().mkpath(folder) || !icon.pixmap(size).save(folder + QStringLiteral("/voxmere.png"))) {
            std::fprintf(stderr, "voxmere-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}

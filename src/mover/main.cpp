// voxmere-mover: files the finished recordings of the temporary folder into the calls
// folder. Launched by Voxmere after each call and at its start; needs no arguments.
#include "base/ProgramFiles.h"
#include "base/modRegistry.h"
#include "base/Product.h"
#include "base/SettingsStore.h"
#include "mover/RecordingMover.h"
#include "StderrPrompts.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

static void report(const QString &line)
{
    std::fprintf(stderr, "voxmere-mover: %s\n", line.toLocal8Bit().constData());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    InstallTranslations(app);

    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        std::fputs(qPrintable(RecordingMover::tr("Usage: voxmere-mover\n"
                                                 "Files the finished recordings of Voxmere's temporary folder into the calls folder,\n"
                                                 "as the user's settings name them. Voxmere starts it after each call.\n\n"
                                                 "Options:\n  -h, --help     Displays this help.\n  -v, --version  Displays the version.\n")),
                   stdout);
        return 0;
    }
    if (argc == 2 && (qstrcmp(argv[1], "--version") == 0 || qstrcmp(argv[1], "-v") == 0)) {
        std::printf("voxmere-mover %s\n", VOXMERE_VERSION);
        return 0;
    }
    if (argc > 1) {
        report(RecordingMover::tr("unknown argument %1").arg(QString::fromLocal8Bit(argv[1])));
        return 2;
    }

    StderrPrompts prompts;
    modRegistry registry(prompts);
    SettingsStore store(registry, u"HKEY_CURRENT_USER\\SOFTWARE\\"_s + ProductName(),
                        u"HKEY_LOCAL_MACHINE\\SOFTWARE\\"_s + ProductName());
    QString problem;
    const auto folders = RecordingMover::FoldersFromSettings(store, &problem);
    if (!folders) {
        report(problem);
        return 2;
    }

    RecordingMover mover(folders->wavs, folders->callPath);
    const RecordingMover::Result result = mover.Run();
    for (const QString &line : result.problems)
        report(line);
    return result.exitCode();
}

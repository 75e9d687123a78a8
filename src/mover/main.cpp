// voxmere-mover: files the finished recordings of the temporary folder into the calls
// folder. Launched by Voxmere after each call and at its start; needs no arguments.
#include "base/modRegistry.h"
#include "base/Product.h"
#include "base/SettingsStore.h"
#include "mover/RecordingMover.h"
#include "mover/StderrPrompts.h"

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

    if (argc > 1) {
        report(u"unknown argument "_s + QString::fromLocal8Bit(argv[1]));
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

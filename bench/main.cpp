// voxmere-bench: runs every benchmark (or those named on the command line) and prints
// its figures as "name: value" lines.
#include "Benchmark.h"

#include <QApplication>
#include <cstdio>

void report(const char *name, double value, int decimals)
{
    std::printf("%s: %.*f\n", name, decimals, value);
    std::fflush(stdout);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);
    for (const Benchmark &b : Benchmark::all())
        if (wanted.isEmpty() || wanted.contains(QString::fromLatin1(b.name)))
            b.run();
    return 0;
}

// voxmere-bench [NAME...]: runs the named benchmarks, or all of them.
#include "Benchmark.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

struct Benchmark
{
    const char *name;
    int (*run)();
};

const Benchmark benchmarks[] = {
    {"gsm_encode", benchGsmEncode},
    {"listening", benchListening},
    {"findcalls", benchFindCalls},
};

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

} // namespace

namespace Bench {

void report(const char *name, double value, int decimals)
{
    printf("%s: %.*f\n", name, decimals, value);
    fflush(stdout);
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    return seconds(r.ru_utime) + seconds(r.ru_stime);
}

QString sourceDir()
{
    return QStringLiteral(VOXMERE_SOURCE_DIR);
}

} // namespace Bench

int main(int argc, char **argv)
{
    // The call list is measured in a real window, headless unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);
    int failures = 0;
    for (const Benchmark &b : benchmarks) {
        if (wanted.isEmpty() || wanted.contains(QString::fromLatin1(b.name)))
            failures += b.run() != 0;
    }
    return failures == 0 ? 0 : 1;
}

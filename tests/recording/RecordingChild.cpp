// Records in a process of its own, for the tests that kill the recording or its sound
// server:
//   recording_child <path> <format hex> <seconds>
// Prints "recording" once capture runs, "stopped <state>" when capture stops by itself,
// and "close <code>" at the end.
#include "recording/AudioEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: recording_child PATH FORMAT SECONDS\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    AudioEngine engine;
    engine.setRecordFormat(QString::fromLatin1(argv[2]));
    if (const qint16 code = engine.OpenRecordFile(QString::fromLocal8Bit(argv[1]))) {
        printf("open %d\n", code);
        return 1;
    }
    if (const qint16 code = engine.Record()) {
        printf("record %d\n", code);
        return 1;
    }
    printf("recording\n");
    fflush(stdout);

    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < qint64(atof(argv[3]) * 1000)) {
        QThread::msleep(50);
        if (const qint16 state = engine.State(); state < 2) {
            printf("stopped %d\n", state);
            break;
        }
    }
    engine.Stop();
    printf("close %d\n", engine.Close());
    return 0;
}

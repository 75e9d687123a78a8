// Records or plays in a process of its own, for the tests that kill it or its sound
// server:
//   recording_child record <path> <format hex> <seconds>
//   recording_child play <path> <seconds>
// Prints "recording" or "playing" once it runs (else "open <code>", "record <code>" or
// "play <code>"), "stopped <state>" when it stops by itself, and "close <code>" at the end.
#include "audio/AudioEngine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    const bool record = argc == 5 && qstrcmp(argv[1], "record") == 0;
    if (!record && !(argc == 4 && qstrcmp(argv[1], "play") == 0))
        return 2; // usage: above
    QCoreApplication app(argc, argv);
    AudioEngine engine;
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (record)
        engine.setRecordFormat(QString::fromLatin1(argv[3]));
    qint16 code = record ? engine.OpenRecordFile(path) : engine.Open(path);
    const char *step = code ? "open" : argv[1];
    if (code || (code = record ? engine.Record() : engine.Play())) {
        printf("%s %d\n", step, code);
        return 1;
    }
    printf(record ? "recording\n" : "playing\n");
    fflush(stdout);

    // Until the time is up, or the engine stops by itself.
    const qint16 running = record ? 2 : 3;
    const QDeadlineTimer end(qint64(atof(argv[argc - 1]) * 1000));
    qint16 state = running;
    while (!end.hasExpired() && (state = engine.State()) >= running)
        QThread::msleep(50);
    if (state < running)
        printf("stopped %d\n", state);
    engine.Stop();
    printf("close %d\n", engine.Close());
    return 0;
}

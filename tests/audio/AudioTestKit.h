#pragma once

#include "TestFiles.h"

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class WaveFormat;

// Makes and measures real sound files for the engine's tests: sox is the one outside
// reader, libsndfile reads the samples.
namespace AudioTestKit {

inline const QString Gsm = QStringLiteral("31000100401f0000590600004100000002004001");

// What the program printed on both channels, or a null string when it failed.
QString run(const QString &program, const QStringList &arguments);

// A sine at `amplitude` of full scale made by sox: bits 8 is unsigned, bits 0 GSM 6.10;
// a path ending in .s16 gives bare 16-bit samples.
bool makeTone(const QString &path, int rate, int bits, int channels, double seconds, double amplitude = 0.5);

// A call at 8 kHz of 1 kHz tone and silence, one after another: (seconds, amplitude),
// amplitude 0 for silence; GSM 6.10 or 16-bit PCM.
bool makeCall(const QString &path, const QList<std::pair<double, double>> &parts, bool gsm);

// What sox says of a file (sox --i), and whether it decodes the whole file without a warning.
struct SoxInfo
{
    bool decodes = false;
    int rate = 0, channels = 0;
    QString encoding; // e.g. "GSM", "16-bit Signed Integer PCM"
    double seconds = 0;
};
SoxInfo soxInfo(const QString &path);
// Empty when sox takes `path` for a WAV file of `format` (for GSM 6.10, its format block
// byte for byte) lasting `seconds` (give or take `slack`) and decodes it, and when `whole`,
// the file ends where its RIFF header says, nothing torn behind; else what is wrong.
QString soxReadsAs(const QString &path, const WaveFormat &format, double seconds, double slack, bool whole = true);

// The samples by libsndfile, channels averaged, full scale 1.0.
struct Samples
{
    int rate = 0;
    QList<double> mono;
    double seconds() const { return rate ? double(mono.size()) / rate : 0.0; }
};
Samples read(const QString &path);
double rmsDb(const Samples &s, double from, double to);
// The tone's frequency from its zero crossings in [from, to).
double frequency(const Samples &s, double from, double to);
// The first and last 20 ms louder than `thresholdDb`. The default suits a tone at -9 dB:
// GSM rings on at -20 dB or so after it stops.
struct Span
{
    double start = -1, end = -1;
    double length() const { return end - start; }
};
Span signalSpan(const Samples &s, double thresholdDb = -15.0);
// The quietest 100 ms inside [from, to), in dB: a gap in a steady tone shows here.
double quietestWindowDb(const Samples &s, double from, double to);

// Where the chunk `id` of a RIFF file starts (-1 when absent), and its size.
std::pair<qsizetype, quint32> chunk(const QByteArray &file, const char *id);
// The "fmt " chunk as hexadecimal.
QString fmtChunkHex(const QString &path);

// scripts/sound-server `command` (start or stop) for the server in `dir`.
bool soundServer(const QString &command, const QString &dir);

// A sound server of the test's own, for the tests that stop it under the engine; its
// environment() leads a child process to it.
struct PrivateSoundServer
{
    QTemporaryDir dir;
    bool started = soundServer(QStringLiteral("start"), dir.path());
    ~PrivateSoundServer() { stop(); }
    bool stop() { return !(started = started && !soundServer(QStringLiteral("stop"), dir.path())); }
    QProcessEnvironment environment() const;
};

// recording_child records or plays in a process of its own. startChild answers the first
// line it prints ("recording", "playing" or an error); childEnds waits for it to end and
// answers the lines it printed since, then "crashed" when it was killed.
QString startChild(QProcess &child, const QStringList &arguments, const QProcessEnvironment &environment);
QStringList childEnds(QProcess &child);

// Empty when the test sound server answers with its line as default input and output.
QString soundServerProblem();

} // namespace AudioTestKit

#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

class WaveFormat;

// Makes and measures real sound files for the engine's tests, with the tools users
// have (sox, ffmpeg, ffprobe, lame) and libsndfile.
namespace AudioTestKit {

struct ToolResult
{
    int exitCode = -1;
    QString out;
    QString err;
};
ToolResult run(const QString &program, const QStringList &arguments, int timeoutMs = 60000);

// A sine of `amplitude` (of full scale) made by sox, e.g. bits 8 gives unsigned 8-bit WAV.
bool makeTone(const QString &path, int rate, int bits, int channels, double seconds,
              double amplitude, double frequency = 440.0);
// `fromWav` encoded by ffmpeg (WAV GSM 6.10, MP3) or lame (MP3).
bool makeGsmWithFfmpeg(const QString &path, const QString &fromWav);
bool makeMp3WithFfmpeg(const QString &path, const QString &fromWav);
bool makeMp3WithLame(const QString &path, const QString &fromWav);

// What sox and ffprobe say of a file.
struct SoxInfo
{
    bool ok = false;
    int rate = 0;
    int channels = 0;
    QString encoding; // soxi -e, e.g. "GSM", "Signed Integer PCM"
    int bits = 0;     // soxi -b
    double seconds = 0;
};
SoxInfo soxInfo(const QString &path);
struct ProbeInfo
{
    bool ok = false;
    QString codec; // e.g. "gsm_ms", "pcm_s16le"
    int rate = 0;
    int channels = 0;
    double seconds = 0;
};
ProbeInfo probe(const QString &path);
// sox decodes the whole file without complaint.
bool soxDecodes(const QString &path);
// Empty when sox and ffprobe both take `path` for a WAV file of `format` lasting
// `seconds` (give or take `slack`) and sox decodes it; else what is wrong.
QString readsEverywhereAs(const QString &path, const WaveFormat &format, double seconds,
                          double slack);

// Reads the file with libsndfile.
struct Samples
{
    bool ok = false;
    int rate = 0;
    int channels = 0;
    QList<double> mono; // channel average, full scale 1.0
    double seconds() const { return rate ? double(mono.size()) / rate : 0.0; }
};
Samples read(const QString &path);

double rmsDb(const Samples &s, double from, double to);
// Where the signal is: the first and last 20 ms window louder than `thresholdDb`. The
// default suits a tone at -9 dB: GSM rings on for a while at -20 dB or so after it stops.
struct Span
{
    double start = -1, end = -1;
    double length() const { return end - start; }
};
Span signalSpan(const Samples &s, double thresholdDb = -15.0);
// The quietest 100 ms window inside [from, to), in dB: a gap in a steady tone shows here.
double quietestWindowDb(const Samples &s, double from, double to);

// True when the file ends where its RIFF header says, its data chunk with it: nothing
// torn is left behind the audio.
bool endsWhereHeaderSays(const QString &path);

// The "fmt " chunk of a RIFF WAVE file as hexadecimal, read with od as a hexdump.
QString fmtChunkHex(const QString &path);

// A sound server of the test's own (scripts/sound-server in a temporary folder), for
// the tests that stop it under a recording or a playback.
class PrivateSoundServer
{
public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    bool started() const { return m_started; }
    bool stop();
    // This environment, with the server's XDG_RUNTIME_DIR.
    QProcessEnvironment environment() const;

private:
    QString m_dir;
    bool m_started = false;
};

// recording_child, beside the test executable, which records or plays in a process of
// its own. startChild answers the first line it prints ("recording", "playing" or an
// error); childEnds waits for it to end by itself and answers the lines it printed since.
QString startChild(QProcess &child, const QStringList &arguments,
                   const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
QStringList childEnds(QProcess &child, int timeoutMs = 10000);

// Calls `done` every 20 ms, letting events run, until it is true or `timeoutMs` passed.
bool waitFor(const std::function<bool()> &done, int timeoutMs);

// Empty when the test sound server answers with its line as default input and output.
QString soundServerProblem();

} // namespace AudioTestKit

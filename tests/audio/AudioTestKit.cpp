#include "AudioTestKit.h"

#include "audio/WaveFormat.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QtEndian>

#include <sndfile.h>

#include <cmath>
#include <sys/mount.h>

using namespace Qt::StringLiterals;

namespace AudioTestKit {

ToolResult run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess p;
    p.start(program, arguments);
    ToolResult r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = program + u" did not run"_s;
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool makeTone(const QString &path, int rate, int bits, int channels, double seconds,
              double amplitude, double frequency)
{
    return run(u"sox"_s, {u"-n"_s, u"-r"_s, QString::number(rate), u"-b"_s, QString::number(bits),
                          u"-c"_s, QString::number(channels), path, u"synth"_s,
                          QString::number(seconds), u"sine"_s, QString::number(frequency),
                          u"vol"_s, QString::number(amplitude)})
               .exitCode
        == 0;
}

bool makeGsmWithFfmpeg(const QString &path, const QString &fromWav)
{
    return run(u"ffmpeg"_s, {u"-v"_s, u"error"_s, u"-y"_s, u"-i"_s, fromWav, u"-ar"_s, u"8000"_s,
                             u"-ac"_s, u"1"_s, u"-c:a"_s, u"gsm_ms"_s, path})
               .exitCode
        == 0;
}

bool makeMp3WithFfmpeg(const QString &path, const QString &fromWav)
{
    return run(u"ffmpeg"_s, {u"-v"_s, u"error"_s, u"-y"_s, u"-i"_s, fromWav, u"-c:a"_s,
                             u"libmp3lame"_s, u"-b:a"_s, u"64k"_s, path})
               .exitCode
        == 0;
}

bool makeMp3WithLame(const QString &path, const QString &fromWav)
{
    return run(u"lame"_s, {u"--quiet"_s, u"-b"_s, u"64"_s, fromWav, path}).exitCode == 0;
}

SoxInfo soxInfo(const QString &path)
{
    SoxInfo info;
    auto field = [&](const QString &flag) {
        const ToolResult r = run(u"soxi"_s, {flag, path});
        info.ok = info.ok && r.exitCode == 0;
        return r.out.trimmed();
    };
    info.ok = true;
    info.rate = field(u"-r"_s).toInt();
    info.channels = field(u"-c"_s).toInt();
    info.encoding = field(u"-e"_s);
    info.bits = field(u"-b"_s).toInt();
    info.seconds = field(u"-D"_s).toDouble();
    return info;
}

ProbeInfo probe(const QString &path)
{
    const ToolResult r = run(u"ffprobe"_s,
                             {u"-v"_s, u"error"_s, u"-select_streams"_s, u"a:0"_s,
                              u"-show_entries"_s, u"stream=codec_name,sample_rate,channels,duration"_s,
                              u"-of"_s, u"default=noprint_wrappers=1"_s, path});
    ProbeInfo info;
    info.ok = r.exitCode == 0 && !r.out.isEmpty();
    for (const QString &line : r.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QString key = line.section(u'=', 0, 0), value = line.section(u'=', 1);
        if (key == u"codec_name")
            info.codec = value;
        else if (key == u"sample_rate")
            info.rate = value.toInt();
        else if (key == u"channels")
            info.channels = value.toInt();
        else if (key == u"duration")
            info.seconds = value.toDouble();
    }
    return info;
}

bool soxDecodes(const QString &path)
{
    const ToolResult r = run(u"sox"_s, {path, u"-n"_s, u"stat"_s});
    return r.exitCode == 0 && !r.err.contains(u"WARN"_s) && !r.err.contains(u"FAIL"_s);
}

QString readsEverywhereAs(const QString &path, const WaveFormat &format, double seconds,
                          double slack)
{
    QString encoding = u"Signed Integer PCM"_s;
    QString codec = u"pcm_s%1le"_s.arg(format.bitsPerSample());
    if (format.isGsm()) {
        encoding = u"GSM"_s;
        codec = u"gsm_ms"_s;
    } else if (format.bitsPerSample() == 8) {
        encoding = u"Unsigned Integer PCM"_s;
        codec = u"pcm_u8"_s;
    }
    const SoxInfo sox = soxInfo(path);
    const ProbeInfo ff = probe(path);
    QStringList wrong;
    if (!sox.ok || sox.rate != format.sampleRate() || sox.channels != format.channels()
        || sox.encoding != encoding || (!format.isGsm() && sox.bits != format.bitsPerSample()))
        wrong << u"sox reads %1 Hz, %2 channels, %3 %4 bits"_s.arg(sox.rate).arg(sox.channels).arg(sox.encoding).arg(sox.bits);
    if (std::fabs(sox.seconds - seconds) > slack)
        wrong << u"sox reads %1 s, not %2 s"_s.arg(sox.seconds).arg(seconds);
    if (!soxDecodes(path))
        wrong << u"sox does not decode it cleanly"_s;
    if (!ff.ok || ff.codec != codec || ff.rate != format.sampleRate() || ff.channels != format.channels())
        wrong << u"ffprobe reads %1 at %2 Hz, %3 channels"_s.arg(ff.codec).arg(ff.rate).arg(ff.channels);
    if (std::fabs(ff.seconds - seconds) > slack)
        wrong << u"ffprobe reads %1 s, not %2 s"_s.arg(ff.seconds).arg(seconds);
    return wrong.join(u"; "_s);
}

Samples read(const QString &path)
{
    Samples s;
    SF_INFO info{};
    SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!sf)
        return s;
    s.rate = info.samplerate;
    s.channels = info.channels;
    QList<double> frame(info.channels);
    s.mono.reserve(qsizetype(info.frames));
    while (sf_readf_double(sf, frame.data(), 1) == 1) {
        double sum = 0;
        for (double v : frame)
            sum += v;
        s.mono.append(sum / info.channels);
    }
    sf_close(sf);
    s.ok = true;
    return s;
}

namespace {

qsizetype indexAt(const Samples &s, double t)
{
    return qBound<qsizetype>(0, qsizetype(t * s.rate), s.mono.size());
}

double toDb(double v)
{
    return v > 0 ? 20.0 * std::log10(v) : -200.0;
}

} // namespace

double rmsDb(const Samples &s, double from, double to)
{
    const qsizetype a = indexAt(s, from), b = indexAt(s, to);
    if (b <= a)
        return -200.0;
    double sum = 0;
    for (qsizetype i = a; i < b; ++i)
        sum += s.mono[i] * s.mono[i];
    return toDb(std::sqrt(sum / double(b - a)));
}

Span signalSpan(const Samples &s, double thresholdDb)
{
    Span span;
    const double window = 0.02;
    for (double t = 0; t + window <= s.seconds(); t += window) {
        if (rmsDb(s, t, t + window) > thresholdDb) {
            if (span.start < 0)
                span.start = t;
            span.end = t + window;
        }
    }
    return span;
}

double quietestWindowDb(const Samples &s, double from, double to)
{
    double quietest = 1000;
    for (double t = from; t + 0.1 <= to; t += 0.05)
        quietest = std::min(quietest, rmsDb(s, t, t + 0.1));
    return quietest;
}

bool endsWhereHeaderSays(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4096);
    if (head.size() < 12 || qFromLittleEndian<quint32>(head.constData() + 4) + 8 != quint64(f.size()))
        return false;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + at + 4);
        if (head.mid(at, 4) == "data")
            return f.size() - (at + 8 + qint64(size)) <= 1; // at most the pad byte
        at += 8 + size + (size & 1);
    }
    return false;
}

QString fmtChunkHex(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(4096);
    if (!head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return {};
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + at + 4);
        if (head.mid(at, 4) == "fmt ") {
            // Read back by od, a hexdump independent of the code under test.
            const ToolResult r = run(u"od"_s, {u"-An"_s, u"-v"_s, u"-tx1"_s,
                                               u"-j"_s, QString::number(at + 8),
                                               u"-N"_s, QString::number(size), path});
            QString hex = r.out;
            hex.remove(u' ').remove(u'\n');
            return hex;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

namespace {
const QString SoundServerScript = QStringLiteral(VOXMERE_SOURCE_DIR "/scripts/sound-server");
}

PrivateSoundServer::PrivateSoundServer()
    : m_dir(QDir::tempPath() + u"/voxmere-test-sound-"_s + QString::number(QCoreApplication::applicationPid()))
{
    m_started = run(SoundServerScript, {u"start"_s, m_dir}).exitCode == 0;
}

PrivateSoundServer::~PrivateSoundServer()
{
    stop();
    QDir(m_dir).removeRecursively();
}

bool PrivateSoundServer::stop()
{
    if (!m_started)
        return true;
    m_started = run(SoundServerScript, {u"stop"_s, m_dir}).exitCode != 0;
    return !m_started;
}

QProcessEnvironment PrivateSoundServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, m_dir);
    env.remove(u"PULSE_SERVER"_s);
    return env;
}

QString startChild(QProcess &child, const QStringList &arguments,
                   const QProcessEnvironment &environment)
{
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationDirPath() + u"/recording_child"_s, arguments);
    if (!child.waitForReadyRead(10000))
        return {};
    return QString::fromUtf8(child.readLine()).trimmed();
}

QStringList childEnds(QProcess &child, int timeoutMs)
{
    if (!child.waitForFinished(timeoutMs) || child.exitStatus() != QProcess::NormalExit)
        return {u"did not end by itself"_s};
    return QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return true;
}

QString soundServerProblem()
{
    const QAudioDevice in = QMediaDevices::defaultAudioInput();
    const QAudioDevice out = QMediaDevices::defaultAudioOutput();
    if (in.id() != "phone" || out.id() != "line")
        return u"the test sound server is not reachable (XDG_RUNTIME_DIR="_s
            + qEnvironmentVariable("XDG_RUNTIME_DIR")
            + u"); run the test through ctest, or start scripts/sound-server first"_s;
    return {};
}

} // namespace AudioTestKit

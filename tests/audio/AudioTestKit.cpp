#include "AudioTestKit.h"

#include "audio/WaveFormat.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QtEndian>

#include <sndfile.h>

#include <cmath>
#include <numeric>

using namespace Qt::StringLiterals;

namespace AudioTestKit {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    const bool ran = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    p.kill();
    return ran ? QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError() + ' ') : QString();
}

bool makeTone(const QString &path, int rate, int bits, int channels, double seconds, double amplitude)
{
    QStringList arguments{u"-n"_s, u"-r"_s, QString::number(rate), u"-c"_s, QString::number(channels)};
    arguments << (bits ? u"-b"_s : u"-e"_s) << (bits ? QString::number(bits) : u"gsm-full-rate"_s) << path << u"synth"_s
              << QString::number(seconds) << u"sine"_s << u"440"_s << u"vol"_s << QString::number(amplitude);
    return !run(u"sox"_s, arguments).isNull();
}

bool makeCall(const QString &path, const QList<std::pair<double, double>> &parts, bool gsm)
{
    QStringList pieces;
    for (const auto &[seconds, amplitude] : parts) {
        pieces << path + u".part"_s + QString::number(pieces.size()) + u".wav"_s;
        QStringList arguments{u"-n"_s, u"-r"_s, u"8000"_s, u"-c"_s, u"1"_s, u"-b"_s, u"16"_s, pieces.last()};
        if (amplitude > 0)
            arguments << u"synth"_s << QString::number(seconds) << u"sine"_s << u"1000"_s << u"vol"_s << QString::number(amplitude);
        else
            arguments << u"trim"_s << u"0"_s << QString::number(seconds);
        if (run(u"sox"_s, arguments).isNull())
            return false;
    }
    const bool made = !run(u"sox"_s, QStringList(pieces) << u"-e"_s << (gsm ? u"gsm-full-rate"_s : u"signed-integer"_s) << path).isNull();
    for (const QString &piece : pieces)
        QFile::remove(piece);
    return made;
}

SoxInfo soxInfo(const QString &path)
{
    const QString out = run(u"sox"_s, {u"--i"_s, path});
    auto field = [&](const QString &name) {
        return QRegularExpression(u"^"_s + name + u"\\s*: (.*)$"_s, QRegularExpression::MultilineOption).match(out).captured(1).trimmed();
    };
    const QString decoded = run(u"sox"_s, {path, u"-n"_s, u"stat"_s});
    SoxInfo info{.decodes = !decoded.isNull() && !decoded.contains(u"WARN"_s), .rate = field(u"Sample Rate"_s).toInt(),
                 .channels = field(u"Channels"_s).toInt(), .encoding = field(u"Sample Encoding"_s)};
    const auto samples = QRegularExpression(u"= (\\d+) samples"_s).match(field(u"Duration"_s));
    info.seconds = info.rate ? samples.captured(1).toDouble() / info.rate : 0;
    return info;
}

std::pair<qsizetype, quint32> chunk(const QByteArray &file, const char *id)
{
    for (qsizetype at = 12; file.startsWith("RIFF") && at + 8 <= file.size();) {
        const quint32 size = qFromLittleEndian<quint32>(file.constData() + at + 4);
        if (file.mid(at, 4) == id)
            return {at, size};
        at += 8 + size + (size & 1);
    }
    return {-1, 0};
}

QString soxReadsAs(const QString &path, const WaveFormat &format, double seconds, double slack, bool whole)
{
    const int bits = format.bitsPerSample();
    const QString encoding = format.isGsm() ? u"GSM"_s : u"%1-bit %2 Integer PCM"_s.arg(bits).arg(bits == 8 ? u"Unsigned"_s : u"Signed"_s);
    const SoxInfo sox = soxInfo(path);
    QStringList wrong;
    if (sox.rate != format.sampleRate() || sox.channels != format.channels() || sox.encoding != encoding)
        wrong << u"sox reads %1 Hz, %2 channels, %3"_s.arg(sox.rate).arg(sox.channels).arg(sox.encoding);
    if (std::fabs(sox.seconds - seconds) > slack)
        wrong << u"sox reads %1 s, not %2 s"_s.arg(sox.seconds).arg(seconds);
    if (!sox.decodes)
        wrong << u"sox does not decode it cleanly"_s;
    if (format.isGsm() && fmtChunkHex(path) != Gsm)
        wrong << u"GSM format block "_s + fmtChunkHex(path);
    const QByteArray file = TestFiles::read(path);
    const auto [data, size] = chunk(file, "data");
    if (whole && (data < 0 || qFromLittleEndian<quint32>(file.constData() + 4) + 8 != file.size() || file.size() - (data + 8 + size) > 1))
        wrong << u"the file does not end where its header says"_s; // 1: the pad byte
    return wrong.join(u"; "_s);
}

Samples read(const QString &path)
{
    Samples s;
    SF_INFO info{};
    if (SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info)) {
        s.rate = info.samplerate;
        QList<double> frame(info.channels);
        while (sf_readf_double(sf, frame.data(), 1) == 1)
            s.mono.append(std::accumulate(frame.begin(), frame.end(), 0.0) / info.channels);
        sf_close(sf);
    }
    return s;
}

double rmsDb(const Samples &s, double from, double to)
{
    const qsizetype a = qBound<qsizetype>(0, qsizetype(from * s.rate), s.mono.size());
    const qsizetype b = qBound<qsizetype>(0, qsizetype(to * s.rate), s.mono.size());
    double sum = 0;
    for (qsizetype i = a; i < b; ++i)
        sum += s.mono[i] * s.mono[i];
    return sum > 0 ? 10.0 * std::log10(sum / double(b - a)) : -200.0;
}

double frequency(const Samples &s, double from, double to)
{
    const auto first = qsizetype(from * s.rate), last = std::min(s.mono.size(), qsizetype(to * s.rate));
    int crossings = 0;
    for (qsizetype i = first + 1; i < last; ++i)
        crossings += (s.mono[i - 1] < 0) != (s.mono[i] < 0);
    return last > first ? crossings / 2.0 / (double(last - first) / s.rate) : 0.0;
}

Span signalSpan(const Samples &s, double thresholdDb)
{
    Span span;
    for (double t = 0; t + 0.02 <= s.seconds(); t += 0.02) {
        if (rmsDb(s, t, t + 0.02) > thresholdDb)
            span = {span.start < 0 ? t : span.start, t + 0.02};
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

QString fmtChunkHex(const QString &path)
{
    const QByteArray file = TestFiles::read(path);
    const auto [fmt, size] = chunk(file, "fmt ");
    return fmt < 0 ? QString() : QString::fromLatin1(file.mid(fmt + 8, size).toHex());
}

bool soundServer(const QString &command, const QString &dir)
{
    return !run(QStringLiteral(VOXMERE_SOURCE_DIR "/scripts/sound-server"), {command, dir}).isNull();
}

QProcessEnvironment PrivateSoundServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, dir.path());
    env.remove(u"PULSE_SERVER"_s);
    return env;
}

QString startChild(QProcess &child, const QStringList &arguments, const QProcessEnvironment &environment)
{
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationDirPath() + u"/recording_child"_s, arguments);
    return child.waitForReadyRead(10000) ? QString::fromUtf8(child.readLine()).trimmed() : QString();
}

QStringList childEnds(QProcess &child)
{
    // A child quick to end may be over already, and waitForFinished says false then.
    if (child.state() != QProcess::NotRunning && !child.waitForFinished(10000))
        return {u"did not end"_s};
    QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return child.exitStatus() == QProcess::NormalExit ? lines : lines << u"crashed"_s;
}

QString soundServerProblem()
{
    if (QMediaDevices::defaultAudioInput().id() == "phone" && QMediaDevices::defaultAudioOutput().id() == "line")
        return {};
    return u"the test sound server is not reachable (XDG_RUNTIME_DIR="_s + qEnvironmentVariable("XDG_RUNTIME_DIR")
        + u"); run the test through ctest, or start scripts/sound-server first"_s;
}

} // namespace AudioTestKit

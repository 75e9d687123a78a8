#include "recording/RecordingFiles.h"

#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <cmath>
#include <sndfile.h>

using namespace Qt::StringLiterals;

namespace RecordingFiles {

bool IsUnfinishedName(const QString &name, const QString &user)
{
    static const QRegularExpression unfinished(u"^[0-9]{8}-[0-9]{6}-([^-/]+)\\.wav$"_s);
    const QRegularExpressionMatch m = unfinished.match(name);
    return m.hasMatch() && m.captured(1) == user;
}

QString FinishedName(const QString &unfinishedName, qint32 seconds, int copy)
{
    QString name = unfinishedName;
    return CallFiles::WithCopyNumber(name.replace(u".wav"_s, u'-' + QString::number(seconds) + u".wav"_s), copy);
}

QString RenameWithLength(const QString &folder, const QString &unfinishedName, qint32 seconds)
{
    const QString from = CallFiles::JoinPath(folder, unfinishedName);
    if (!QFile::exists(from))
        throw RuntimeError(53, QCoreApplication::translate("RuntimeError", "File not found"));
    for (int copy = 1; copy < 1000; ++copy) {
        const QString name = FinishedName(unfinishedName, seconds, copy);
        // QFile::rename never replaces an existing file.
        QFile file(from);
        if (file.rename(CallFiles::JoinPath(folder, name)))
            return name;
        if (!QFile::exists(CallFiles::JoinPath(folder, name)))
            throw RuntimeError(75, QCoreApplication::translate("RuntimeError", "Path/File access error"));
    }
    throw RuntimeError(58, QCoreApplication::translate("RuntimeError", "File already exists"));
}

std::optional<double> AudioSeconds(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return std::nullopt;
    sf_close(file);
    if (info.samplerate <= 0)
        return std::nullopt;
    return double(info.frames) / info.samplerate;
}

WaveHeader CompleteWaveHeader(const QString &path, QString *problem)
{
    QFile file(path);
    const auto failed = [&](const QString &what) {
        if (problem)
            *problem = what + u": "_s + file.errorString();
        return WaveHeader::Failed;
    };
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(QCoreApplication::translate("RecordingFiles", "cannot open it"));
    const qint64 size = file.size();
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return WaveHeader::NotWave;
    auto u16 = [](const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    auto u32 = [](const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    auto put32 = [&file](qint64 at, quint32 value) {
        const quint32 le = qToLittleEndian(value);
        return file.seek(at) && file.write(reinterpret_cast<const char *>(&le), 4) == 4;
    };
    // Walk the chunks up to "data", the last one a recorder writes.
    qint64 at = 12, factAt = -1;
    quint32 blockBytes = 0, blockSamples = 0;
    while (at + 8 <= size) {
        if (!file.seek(at))
            return failed(QCoreApplication::translate("RecordingFiles", "cannot read it"));
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return failed(QCoreApplication::translate("RecordingFiles", "cannot read it"));
        const qint64 declared = u32(chunk, 4);
        if (chunk.startsWith("fmt ")) {
            // The block and its samples: a whole GSM 6.10 block is 65 bytes of 320 samples,
            // a PCM frame one sample a channel.
            const QByteArray fmt = file.read(qMin<qint64>(declared, 20));
            if (fmt.size() >= 14) {
                blockBytes = u16(fmt, 12);
                blockSamples = u16(fmt, 0) == 1 ? 1 : fmt.size() >= 20 ? u16(fmt, 18) : 0;
            }
        }
        if (chunk.startsWith("fact"))
            factAt = at + 8;
        if (chunk.startsWith("data")) {
            const qint64 start = at + 8, held = size - start;
            if (declared + (declared & 1) >= held)
                return WaveHeader::Whole; // complete, or more declared than there is: leave it be
            const qint64 blocks = blockBytes ? held / blockBytes : 0;
            const qint64 data = blockBytes ? blocks * blockBytes : held;
            // The header first: when it cannot be written the file stays as it was.
            if (!put32(4, quint32(start + data - 8)) || !put32(at + 4, quint32(data))
                || (factAt >= 0 && blockSamples && !put32(factAt, quint32(blocks * blockSamples))))
                return failed(QCoreApplication::translate("RecordingFiles", "cannot write its header"));
            if (!file.resize(start + data))
                return failed(QCoreApplication::translate("RecordingFiles", "cannot cut off its last block"));
            return WaveHeader::Completed;
        }
        at += 8 + declared + (declared & 1);
    }
    return WaveHeader::NotWave;
}

QList<Recovered> FinishLeftoverRecordings(const QString &folder, const QString &user)
{
    QList<Recovered> done;
    const QStringList names = QDir(folder).entryList({u"*.wav"_s}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (!IsUnfinishedName(name, user))
            continue;
        Recovered r{name, QString(), QString()};
        if (CompleteWaveHeader(CallFiles::JoinPath(folder, name), &r.problem) == WaveHeader::Failed) {
            r.problem = QCoreApplication::translate("RecordingFiles", "its header cannot be completed (%1); it stays unfiled").arg(r.problem);
            done << r;
            continue;
        }
        // A file that cannot be read as sound is still filed, with length 0, so the
        // user sees it and decides.
        const std::optional<double> seconds = AudioSeconds(CallFiles::JoinPath(folder, name));
        if (!seconds)
            r.problem = QCoreApplication::translate("RecordingFiles", "not a readable sound file; filed with length 0");
        try {
            r.to = RenameWithLength(folder, name, qint32(std::nearbyint(seconds.value_or(0.0))));
        } catch (const RuntimeError &e) {
            r.problem = e.description();
        }
        done << r;
    }
    return done;
}

} // namespace RecordingFiles

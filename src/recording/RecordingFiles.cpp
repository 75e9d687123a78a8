#include "recording/RecordingFiles.h"

#include "app/RuntimeError.h"
#include "callstore/CallFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
    QString suffix = u'-' + QString::number(seconds);
    if (copy > 1)
        suffix += u'-' + QString::number(copy);
    QString name = unfinishedName;
    return name.replace(u".wav"_s, suffix + u".wav"_s);
}

QString RenameWithLength(const QString &folder, const QString &unfinishedName, qint32 seconds)
{
    const QString from = CallFiles::JoinPath(folder, unfinishedName);
    if (!QFile::exists(from))
        throw RuntimeError(53, u"File not found"_s);
    for (int copy = 1; copy < 1000; ++copy) {
        const QString name = FinishedName(unfinishedName, seconds, copy);
        // QFile::rename never replaces an existing file.
        QFile file(from);
        if (file.rename(CallFiles::JoinPath(folder, name)))
            return name;
        if (!QFile::exists(CallFiles::JoinPath(folder, name)))
            throw RuntimeError(75, u"Path/File access error"_s);
    }
    throw RuntimeError(58, u"File already exists"_s);
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

QList<Recovered> FinishLeftoverRecordings(const QString &folder, const QString &user)
{
    QList<Recovered> done;
    const QStringList names = QDir(folder).entryList({u"*.wav"_s}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (!IsUnfinishedName(name, user))
            continue;
        Recovered r{name, QString(), QString()};
        // A file that cannot be read as sound is still filed, with length 0, so the
        // user sees it and decides.
        const std::optional<double> seconds = AudioSeconds(CallFiles::JoinPath(folder, name));
        if (!seconds)
            r.problem = u"not a readable sound file; filed with length 0"_s;
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

#include "callstore/CallFiles.h"

#include "app/Prompts.h"
#include "app/modErrors.h"
#include "callstore/clsCall.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace CallFiles {

QString JoinPath(const QString &folder, const QString &name)
{
    return folder + u'/' + name;
}

QString SafeUserName(const QString &user)
{
    QString safe = user;
    return safe.replace(u'-', u'_');
}

QString NewCallFileName(clsCall &call, const QDateTime &now, const QString &user)
{
    call.setLoginName(user);
    call.setCallDate(now.date());
    call.setCallTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    call.setCallDuration(0);
    return now.toString(u"yyyyMMdd"_s) + u'-' + now.toString(u"HHmmss"_s) + u'-' + user
        + u".wav"_s;
}

std::optional<Fields> SplitCallFileName(const QString &fileName)
{
    const QStringList parts = fileName.left(fileName.size() - 4).split(u'-');
    if (parts.size() < 4)
        return std::nullopt;
    Fields f;
    f.date = parts[0];
    f.time = parts[1];
    f.user = parts[2];
    f.seconds = parts[3].toInt();
    return f;
}

QString NotePathOf(const QString &audioPath)
{
    QString path = audioPath;
    return path.replace(u".wav"_s, u".txt"_s, Qt::CaseSensitive);
}

QString DecodeNote(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Windows-1252: Latin-1 but for 0x80..0x9F.
    static const char16_t cp1252[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes[i]);
        text[i] = (c >= 0x80 && c < 0xA0) ? QChar(cp1252[c - 0x80]) : QChar(char16_t(c));
    }
    return text;
}

QString getCallNote(const QString &location, Prompts &prompts)
{
    QFile file(NotePathOf(location));
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly)) {
        if (euidaccess(QFile::encodeName(file.fileName()).constData(), R_OK) != 0 && errno == EACCES)
            return u"<denied access to note file>"_s;
        modErrors::ReportError(prompts, 75, file.errorString(), 999, u"frmMain:getCallNote Method"_s,
                               QString());
        return QString();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        modErrors::ReportError(prompts, 57, file.errorString(), 999, u"frmMain:getCallNote Method"_s,
                               QString());
        return QString();
    }
    return DecodeNote(bytes).replace(u"\r\n"_s, u" <CR> "_s);
}

void WriteCallNote(const clsCall &call, const QString &callPath, Prompts &prompts)
{
    QString name = call.RecordingLocation();
    name.replace(u".wav"_s, u".txt"_s);
    // Written whole or not at all: a full disk never leaves half a note.
    QSaveFile file(JoinPath(callPath, name));
    const QByteArray bytes = QStringEncoder(QStringEncoder::System).encode(call.CallNote());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        modErrors::ReportError(prompts, 75, file.errorString(), 999,
                               u"frmMain:WriteCallNote Method"_s, QString());
}

} // namespace CallFiles

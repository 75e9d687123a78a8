#include "callstore/CallFiles.h"

#include "base/FileAccess.h"
#include "base/FileNames.h"
#include "base/modErrors.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "callstore/clsCall.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

namespace {
const QRegularExpression &copyNumbered()
{
    static const QRegularExpression re(u"^([0-9]{8}-[0-9]{6}-[^-/]+-[0-9]+)(?:-([0-9]+))?\\.wav$"_s);
    return re;
}
} // namespace

QString WithCopyNumber(const QString &callFileName, int copy)
{
    const QRegularExpressionMatch m = copyNumbered().match(callFileName);
    const QString base = m.hasMatch() ? m.captured(1) : callFileName.chopped(4);
    return copy > 1 ? base + u'-' + QString::number(copy) + u".wav"_s : base + u".wav"_s;
}

int CopyNumberOf(const QString &callFileName)
{
    const QRegularExpressionMatch m = copyNumbered().match(callFileName);
    return m.hasMatch() && m.hasCaptured(2) ? qMax(1, m.captured(2).toInt()) : 1;
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

NoteFile ReadNoteFile(const QString &notePath)
{
    NoteFile note;
    // Anyone who writes in the calls folder may have put a link or a FIFO here.
    const int fd = FileAccess::OpenRegular(notePath);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return note;
        const bool denied = errno == EACCES || errno == EPERM;
        note.status = denied ? NoteFile::Denied : NoteFile::Failed;
        note.errorNumber = denied ? 70 : 75; // Permission denied, Path/File access error
        note.errorText = errno == ELOOP || errno == EINVAL ? QCoreApplication::translate("CallFiles", "The note is no regular file: %1").arg(notePath)
                                                           : QString::fromLocal8Bit(strerror(errno));
        return note;
    }
    // Most notes fit the first read; read one byte past the cap to know it was cut.
    char chunk[4096];
    for (;;) {
        const qsizetype want = std::min<qsizetype>(sizeof chunk, NoteReadCap + 1 - note.bytes.size());
        const ssize_t got = ::read(fd, chunk, size_t(want));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            note.status = NoteFile::Failed;
            note.errorNumber = 57; // Device I/O error
            note.errorText = QString::fromLocal8Bit(strerror(errno));
            ::close(fd);
            return note;
        }
        if (got == 0)
            break;
        note.bytes.append(chunk, got);
        if (note.bytes.size() > NoteReadCap) {
            note.bytes.truncate(NoteReadCap);
            note.truncated = true;
            break;
        }
    }
    ::close(fd);
    note.status = NoteFile::Read;
    return note;
}

NoteFile ReadCallNote(const QString &audioPath)
{
    const QString notePath = NotePathOf(audioPath);
    return notePath == audioPath ? NoteFile() : ReadNoteFile(notePath);
}

QString NoteForList(QString text)
{
    return text.replace(u"\r\n"_s, u" <CR> "_s);
}

QString getCallNote(const QString &location, Prompts &prompts, bool *truncated)
{
    const NoteFile note = ReadCallNote(location);
    if (truncated)
        *truncated = note.truncated;
    switch (note.status) {
    case NoteFile::Missing: return QString();
    case NoteFile::Denied: return QCoreApplication::translate("CallFiles", "<denied access to note file>");
    case NoteFile::Failed:
        modErrors::ReportError(prompts, note.errorNumber, note.errorText, 999,
                               u"frmMain:getCallNote Method"_s, QString());
        return QString();
    case NoteFile::Read: break;
    }
    return NoteForList(DecodeNote(note.bytes));
}

bool WriteNoteText(const QString &notePath, const QString &text, QString *error)
{
    // Written whole or not at all: a full disk never leaves half a note. Unbuffered, so
    // a write the disk refuses fails here; a buffered one would fail only in commit(),
    // which does not look at it and would replace the old note with an empty file.
    // QSaveFile writes through a link to its target: a note that someone else in a shared
    // folder made a link (or a FIFO) would let them have the user overwrite any file.
    struct stat st {};
    if (::lstat(FileNames::encode(notePath).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        *error = QCoreApplication::translate("CallFiles", "%1 is not a regular file").arg(notePath);
        return false;
    }
    QSaveFile file(notePath);
    const QByteArray bytes = QStringEncoder(QStringEncoder::Utf8).encode(text);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (opened) // before a word of it is written
        FileAccess::TakeAccessOf(file.handle(), QFileInfo(notePath).path());
    if (opened && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

QString NoteForFile(QString text)
{
    return text.replace(u"\r\n"_s, u"<CR>"_s);
}

bool WriteEditedNote(const QString &audioPath, const QString &note, QString *error)
{
    const QString notePath = NotePathOf(audioPath);
    if (notePath != audioPath)
        return WriteNoteText(notePath, NoteForFile(note), error);
    *error = QCoreApplication::translate("CallFiles", "A call named \"%1\" has no note file of its own").arg(audioPath);
    return false;
}

bool WriteCallNoteFile(const clsCall &call, const QString &folder, QString *error)
{
    QString name = call.RecordingLocation();
    name.replace(u".wav"_s, u".txt"_s);
    return WriteNoteText(JoinPath(folder, name), call.CallNote(), error);
}

static void removeFile(const QString &path)
{
    // unlink ignores the file's own mode, as deleting read-only files asks.
    if (::unlink(FileNames::encode(path).constData()) == 0)
        return;
    const int error = errno;
    throw RuntimeError(error == ENOENT ? 53 : error == EACCES || error == EPERM ? 70 : 75,
                       QString::fromLocal8Bit(strerror(error)) + u": "_s + path);
}

void DeleteCallFiles(const QString &audioPath)
{
    removeFile(audioPath);
    const QString notePath = NotePathOf(audioPath);
    struct stat st;
    // A note that is a link goes too: unlink removes the link, never what it points at.
    if (notePath != audioPath && ::lstat(FileNames::encode(notePath).constData(), &st) == 0)
        removeFile(notePath);
}

void WriteCallNote(const clsCall &call, const QString &callPath, Prompts &prompts)
{
    QString error;
    if (!WriteCallNoteFile(call, callPath, &error))
        modErrors::ReportError(prompts, 75, error, 999, u"frmMain:WriteCallNote Method"_s, QString());
}

} // namespace CallFiles

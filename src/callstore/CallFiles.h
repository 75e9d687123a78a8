#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

class Prompts;
class clsCall;

// Call files: "yyyymmdd-hhmmss-user-seconds.wav", with the note beside it as ".txt".
namespace CallFiles {

// folder + "/" + name; a folder that already ends in "/" gives "//", which the file
// system accepts and every path comparison produces the same way.
QString JoinPath(const QString &folder, const QString &name);

// A user name as it may stand in a file name: "-" would split the name's fields.
QString SafeUserName(const QString &user);

// Fills the record of a starting call (user, date, time, length 0) and returns its
// file name without the length field: "yyyymmdd-hhmmss-user.wav".
QString NewCallFileName(clsCall &call, const QDateTime &now, const QString &user);

// The fields of a call file name (without ".wav"); nothing when it has fewer than four.
struct Fields
{
    QString date, time, user;
    qint32 seconds = 0;
};
std::optional<Fields> SplitCallFileName(const QString &fileName);

// Every ".wav" in the audio path replaced by ".txt" (case-sensitive).
QString NotePathOf(const QString &audioPath);

// Note text from bytes written here (UTF-8) or by a Windows PC (code page 1252).
QString DecodeNote(const QByteArray &bytes);

// The note of the call at this audio path, CR LF shown as " <CR> "; empty without a file.
QString getCallNote(const QString &location, Prompts &prompts);

// Writes the record's note beside its recording in callPath; the record's
// RecordingLocation still holds the bare file name. Errors are reported, not thrown.
void WriteCallNote(const clsCall &call, const QString &callPath, Prompts &prompts);

} // namespace CallFiles

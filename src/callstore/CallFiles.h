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
// Fields after the fourth (the copy number below) are not read.
struct Fields
{
    QString date, time, user;
    qint32 seconds = 0;
};
std::optional<Fields> SplitCallFileName(const QString &fileName);

// Two calls of the same second, user and length: the later one to take the name gets
// "-2", "-3"... after its length, "yyyymmdd-hhmmss-user-seconds-copy.wav". Copy 1 is the
// name without a copy number. A name not of that form gets the number before ".wav".
QString WithCopyNumber(const QString &callFileName, int copy);
// The copy number of a call file name: 1 without one.
int CopyNumberOf(const QString &callFileName);

// The file a calls folder keeps to say it is one (a hidden name is never a call): a
// folder without it, once used, is an empty mount point whose share is gone.
inline constexpr QStringView FolderMarkName = u".voxmere";

// Every ".wav" in the audio path replaced by ".txt" (case-sensitive).
QString NotePathOf(const QString &audioPath);

// Note text from bytes written here (UTF-8) or by a Windows PC (code page 1252).
QString DecodeNote(const QByteArray &bytes);

// Notes are read up to this many bytes: a stray huge ".txt" beside a call must neither
// stall the list nor fill the memory. Typed notes are a few lines.
inline constexpr qsizetype NoteReadCap = 64 * 1024;

// One note file as read from disk.
struct NoteFile
{
    enum Status { Missing, Read, Denied, Failed };
    Status status = Missing;
    QByteArray bytes;       // the first NoteReadCap bytes at most
    bool truncated = false; // the file holds more than that
    int errorNumber = 0;    // with Failed: the number and text the error boxes show
    QString errorText;
};
NoteFile ReadNoteFile(const QString &notePath);
// The note of the call at this audio path. A name whose ".wav" is not in lower case
// has no note path of its own (it would be the audio file itself): no note.
NoteFile ReadCallNote(const QString &audioPath);

// A note as the list keeps it: CR LF shown as " <CR> ".
QString NoteForList(QString text);

// The note of the call at this audio path, CR LF shown as " <CR> "; empty without a
// file. A note longer than NoteReadCap is cut there and *truncated says so.
QString getCallNote(const QString &location, Prompts &prompts, bool *truncated = nullptr);

// Writes note text as UTF-8, whole or not at all; false, with the reason, when not written.
bool WriteNoteText(const QString &notePath, const QString &text, QString *error);
// An edited note as its file keeps it: each CR LF as "<CR>", which other PCs read.
QString NoteForFile(QString text);
// Writes an edited note beside the call at audioPath; false, with the reason, when not.
bool WriteEditedNote(const QString &audioPath, const QString &note, QString *error);

// Removes a call's audio file and, when there is one, its note file; read-only files go
// too. Raises RuntimeError when a file cannot be removed (53 when already gone).
void DeleteCallFiles(const QString &audioPath);

// Writes the record's note beside its recording in callPath; the record's
// RecordingLocation still holds the bare file name. Errors are reported, not thrown.
void WriteCallNote(const clsCall &call, const QString &callPath, Prompts &prompts);
// The same into any folder, reporting nothing: false, with the reason, when not written.
bool WriteCallNoteFile(const clsCall &call, const QString &folder, QString *error);

} // namespace CallFiles

#pragma once

#include <QList>
#include <QString>
#include <optional>

// The recording's own file in the temporary folder: written as "yyyymmdd-hhmmss-user.wav"
// while the call runs, renamed with its length when it ends, then taken by the mover.
namespace RecordingFiles {

// A name of this user's recording that has not been given its length yet.
bool IsUnfinishedName(const QString &name, const QString &user);

// The unfinished name with "-" + seconds before ".wav", and "-2", "-3"... after the length
// when copy > 1 (readers take the first four fields, so the call still lists the same).
QString FinishedName(const QString &unfinishedName, qint32 seconds, int copy = 1);

// Renames folder/unfinishedName to its finished name, never over an existing file: a
// name already taken gets the next copy number. Returns the new name; throws RuntimeError.
QString RenameWithLength(const QString &folder, const QString &unfinishedName, qint32 seconds);

// Seconds of audio the file holds; nothing when it is no sound file that can be read.
std::optional<double> AudioSeconds(const QString &path);

// What CompleteWaveHeader found.
enum class WaveHeader {
    Whole,     // it declares all the audio it holds: left as it is
    Completed, // it declared less: now it declares every whole block
    NotWave,   // no RIFF WAVE file with a "data" chunk: left as it is
    Failed,    // it could not be completed; *problem says why
};

// A WAV file whose writer ended before closing it declares less audio than it holds:
// its RIFF, "fact" and "data" sizes are set to the whole blocks it holds (a block cut
// short decodes to nothing and goes), so that every player finds the whole call.
WaveHeader CompleteWaveHeader(const QString &path, QString *problem = nullptr);

struct Recovered
{
    QString from;  // the unfinished name
    QString to;    // the finished name; empty when it could not be renamed
    QString problem;
};

// Files every recording of this user left unfinished in folder (the program ended
// during a call): each is named with the length read from the file. One whose header
// cannot be completed keeps its name (`to` empty), for a later start to try again.
QList<Recovered> FinishLeftoverRecordings(const QString &folder, const QString &user);

} // namespace RecordingFiles

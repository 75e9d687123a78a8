#pragma once

// Telephone calls through the real program: speech made by espeak-ng and played with
// paplay into the test sound server's line, as a caller's voice reaches the sound card.

#include "AudioTestKit.h"
#include "ProgramRun.h"
#include "base/UserName.h"
#include "callstore/CallFiles.h"

#include <QDir>
#include <QRegularExpression>

namespace SpeechCall {

// About 7.5 s of speech with short pauses, as a caller leaving a message, as a WAV file.
inline bool make(const QString &path)
{
    return !AudioTestKit::run(QStringLiteral("espeak-ng"),
                              {QStringLiteral("-w"), path,
                               QStringLiteral("Hello, this is Ann from accounts. I am calling about the invoice "
                                              "we sent last week. Could you please call me back tomorrow morning.")})
                .isNull();
}

// Starts playing the file on the line; the caller waits for the process as it needs.
inline void play(QProcess &player, const QString &path)
{
    player.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("line"), path});
}

// The program set to record a call by itself from -30 dB, ending after 3 s of silence,
// in GSM 6.10 and without a note.
inline void recordAutomatically(ProgramRun &program)
{
    const std::pair<const char *, int> settings[] = {{"AutoRecord", 1}, {"Sensitivity", -30}, {"MinCallLength", 1},
                                                     {"CallTimeOut", 3}, {"AddNote", 0}, {"Format", 0}};
    for (const auto &[name, value] : settings)
        program.set(QString::fromLatin1(name), value);
    program.set(QStringLiteral("SearchPath"), program.calls());
}

// The finished call files in a folder: "yyyymmdd-hhmmss-user-N.wav".
inline QStringList filedCalls(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral("^[0-9]{8}-[0-9]{6}-[^-]+-[0-9]+\\.wav$"));
    return QDir(folder).entryList(QDir::Files, QDir::Name).filter(name);
}

// Empty when the filed call `name` is this user's GSM 6.10 file that sox reads whole, as
// long as its name says (give or take the second it was rounded to); else what is wrong.
inline QString filedCallProblem(const QString &folder, const QString &name)
{
    const auto fields = CallFiles::SplitCallFileName(name);
    const QString path = folder + u'/' + name;
    const AudioTestKit::SoxInfo sox = AudioTestKit::soxInfo(path);
    if (!fields || fields->user != CallFiles::SafeUserName(SystemUserName().loginName().value_or(QString())))
        return QStringLiteral("not this user's call: ") + name;
    if (AudioTestKit::fmtChunkHex(path) != AudioTestKit::Gsm || !sox.decodes)
        return QStringLiteral("sox does not read it as GSM 6.10: ") + name;
    if (qAbs(fields->seconds - sox.seconds) > 1.0)
        return QStringLiteral("%1 s in the name, sox reads %2 s").arg(fields->seconds).arg(sox.seconds);
    return {};
}

} // namespace SpeechCall

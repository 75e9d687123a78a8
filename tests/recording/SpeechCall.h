#pragma once

// Telephone calls played into the test sound server's line: speech made by espeak-ng
// and played with paplay, as a caller's voice reaches the sound card.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

namespace SpeechCall {

// Writes the spoken text as a WAV file.
inline bool make(const QString &path, const QString &text)
{
    QProcess p;
    p.start(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), path, text});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// About 7.5 s of speech with short pauses, as a caller leaving a message.
inline QString longCall()
{
    return QStringLiteral("Hello, this is Ann from accounts. I am calling about the invoice we sent "
                          "last week. Could you please call me back tomorrow morning.");
}

// Starts playing the file on the line; the caller waits for the process as it needs.
inline void play(QProcess &player, const QString &path)
{
    player.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("line"), path});
}

// The finished call files in a folder: "yyyymmdd-hhmmss-user-N.wav".
inline QStringList filedCalls(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral("^[0-9]{8}-[0-9]{6}-[^-]+-[0-9]+\\.wav$"));
    return QDir(folder).entryList(QDir::Files, QDir::Name).filter(name);
}

} // namespace SpeechCall

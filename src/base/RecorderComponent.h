#pragma once

#include "base/BufferJudge.h"

#include <QString>
#include <functional>
#include <memory>

// The recorder/player component: capture, level metering, compression and playback.
// Methods answer a 16-bit result code, 0 = success (the texts are modErrors'
// RecorderErrorText). The window keeps two instances: one records, one plays.
// How the player plays: faster or slower with the pitch kept, long pauses played short,
// every call at one loudness.
struct PlayOptions
{
    double speed = 1.0;       // 0.75 to 2
    bool skipSilence = false; // a pause longer than a second plays as about 0.3 s
    bool levelCalls = false;  // every call at LevelTarget, with a limiter
    static constexpr double LevelTarget = -18.0; // LUFS
    bool operator==(const PlayOptions &) const = default;
};

class RecorderComponent
{
public:
    virtual ~RecorderComponent() = default;

    // --- recorder ---
    virtual void setPcmRate(qint16 rate) = 0;          // PCM only, with RecordOption 8
    virtual void setRecordOption(qint16 option) = 0;   // 100 GSM, 8 PCM; before RecordFormat
    virtual void setRecordFormat(const QString &waveFormatHex) = 0; // hex WAVEFORMATEX
    virtual qint16 State() = 0;           // recorder: 2 or more = running; player: 2 = ready
    virtual qint16 Close() = 0;           // frees device and file
    virtual void Stop() = 0;              // capture or play stops; the file is complete
    virtual qint16 OpenRecordFile(const QString &path) = 0; // creates the file Record writes
    virtual qint16 OpenInput() = 0;       // input open for metering, no file
    virtual bool Paused() = 0;
    virtual void setPaused(bool paused) = 0; // while true nothing is written, levels still measured
    // Level A (peak) and B (RMS) in dBFS since the previous call; the 16-bit outputs are spare.
    virtual void GetLevels(float &levelA, qint16 &a2, float &levelB, qint16 &b2) = 0;
    virtual qint16 Record() = 0;          // starts capture (or metering only)
    virtual double Position() = 0;        // recorder: seconds written; player: play position
    virtual qint16 ShowMixer(qint16 show) = 0;
    // While the input is open and nothing is written, its last `seconds` are kept: the next
    // record file begins with them, a moment before the call was noticed. 0: none.
    virtual void setPreRoll(double seconds) { (void)seconds; }
    // How much of the file being recorded (or last recorded) came from before its Record.
    virtual double PreRollSeconds() { return 0.0; }
    // Shown every buffer the input captures from the next OpenInput on. At the buffer of
    // its StartCall verdict the pre-roll is frozen and all audio from there on is kept for
    // the next record file; at the buffer of its EndCall the record file takes no more.
    virtual void setBufferJudge(std::shared_ptr<BufferJudge> judge) { (void)judge; }

    // --- player ---
    virtual QString FileName() = 0;
    virtual qint16 Open(const QString &path) = 0;
    // A call's file opened and its header read, as the player will use it. The opener needs
    // no player, so a worker can run it on a share that may hang, and Open takes its answer.
    struct OpenedFile
    {
        virtual ~OpenedFile() = default;
    };
    using Opener = std::function<std::shared_ptr<OpenedFile>(const QString &path)>;
    virtual Opener FileOpener() { return [](const QString &) { return std::shared_ptr<OpenedFile>(); }; }
    virtual qint16 Open(const QString &path, const std::shared_ptr<OpenedFile> &opened)
    {
        (void)opened;
        return Open(path);
    }
    virtual qint32 SampleCount() = 0;
    virtual qint32 SamplePosition() = 0;
    virtual qint16 Play() = 0;
    virtual void setPosition(double seconds) = 0;
    virtual double Length() = 0;
    virtual void GetFormatDescription(QString &description) = 0;
    virtual void setOpenMode(qint16 mode) = 0;
    virtual void setFileType(qint16 type) = 0; // 0 WAV, 2 MP3
    // From the next sound on; positions stay in the file's own time.
    virtual void setPlayOptions(const PlayOptions &options) { (void)options; }

    // The GSM 6.10 format text: mono, 8000 Hz, 1625 bytes/s, block 65, 320 samples/block.
    static QString GsmFormat() { return QStringLiteral("31000100401f0000590600004100000002004001"); }
};

#pragma once

#include "audio/CallProfile.h"
#include "audio/CaptureWorker.h"
#include "audio/WaveFormat.h"
#include "base/RecorderComponent.h"

#include <QAudioDevice>
#include <QThread>

#include <memory>
#include <optional>

class PlaybackFile;
class PlaybackWorker;
class RecordWriter;

// The program's recorder and player component. Capture runs on a thread of its own and
// playback on an audio thread of the instance's own, the file is written on another, so
// the user-interface thread only switches things and reads levels, positions and states:
// however long it is busy, no sample of a call is lost.
//
// Recorder states: 0 closed; 1 input or file open, not capturing (also after capture
// stopped on a failure, whose code the next Close answers); 2 capturing, levels only
// (paused, or no file); 3 capturing into the file. Player states: 0 nothing open;
// 2 ready; 3 playing.
class AudioEngine final : public RecorderComponent
{
public:
    AudioEngine();
    ~AudioEngine() override;
    AudioEngine(const AudioEngine &) = delete;
    AudioEngine &operator=(const AudioEngine &) = delete;

    enum Option : qint16 { OptionPcm = 8, OptionGsm = 100 };

    // --- recorder ---
    void setPcmRate(qint16 rate) override;
    void setRecordOption(qint16 option) override;
    void setRecordFormat(const QString &waveFormatHex) override;
    qint16 State() override;
    qint16 Close() override;
    void Stop() override;
    qint16 OpenRecordFile(const QString &path) override;
    qint16 OpenInput() override;
    bool Paused() override;
    void setPaused(bool paused) override;
    void GetLevels(float &levelA, qint16 &a2, float &levelB, qint16 &b2) override;
    qint16 Record() override;
    double Position() override;
    qint16 ShowMixer(qint16 show) override;
    void setPreRoll(double seconds) override;
    double PreRollSeconds() override;
    void setBufferJudge(std::shared_ptr<BufferJudge> judge) override;

    // --- player ---
    QString FileName() override;
    qint16 Open(const QString &path) override;
    Opener FileOpener() override;
    qint16 Open(const QString &path, const std::shared_ptr<OpenedFile> &opened) override;
    qint32 SampleCount() override;
    qint32 SamplePosition() override;
    qint16 Play() override;
    void setPosition(double seconds) override;
    double Length() override;
    void GetFormatDescription(QString &description) override;
    void setOpenMode(qint16 mode) override;
    void setFileType(qint16 type) override;
    void setPlayOptions(const PlayOptions &options) override;

    // The format the next OpenInput / OpenRecordFile uses; nothing while the settings
    // name a format the engine cannot write (those calls then answer 5).
    std::optional<WaveFormat> recordFormat() const { return m_format; }

private:
    bool playerOpen() const { return m_playFile != nullptr; }
    bool recorderOpen() const { return m_inputOpen || m_writer != nullptr; }
    qint16 openStream(const WaveFormat &format);
    void ensureThread();
    // Runs f on the audio thread and answers its code, or nothing when the thread did not
    // get to it within waitMs (a sound server that does not answer): the window never
    // waits longer than that. f must hold what it uses: it may run after the answer.
    template<typename F> std::optional<qint16> onAudioThread(F &&f, int waitMs = AudioWaitMs);
    static constexpr int AudioWaitMs = 1500;

    qint16 recorderState();
    void stopRecorder();
    qint16 closeRecorder();

    qint64 playFrame();
    qint16 startPlaying();
    void haltPlaying();
    void closePlayer();

    std::unique_ptr<QThread> m_thread = std::make_unique<QThread>();
    CaptureWorker m_capture;
    std::unique_ptr<PlaybackWorker> m_playback;

    // Recorder settings.
    std::optional<WaveFormat> m_format = WaveFormat::pcm(8000);
    qint16 m_recordOption = OptionPcm;
    int m_pcmRate = 8000;

    // Recorder.
    bool m_inputOpen = false;
    bool m_running = false;
    bool m_paused = false;
    WaveFormat m_openFormat = WaveFormat::pcm(8000);
    std::shared_ptr<RecordWriter> m_writer;
    qint64 m_lastFrames = 0;     // written by the last recording, once stopped
    int m_lastRate = 8000;
    qint16 m_pendingError = 0;   // a failure while capturing, answered by Close
    std::shared_ptr<BufferJudge> m_judge;
    double m_preRoll = 0.0;       // seconds
    qint64 m_preRollFrames = 0;   // at the start of the file being recorded

    // Player.
    std::shared_ptr<PlaybackFile> m_playFile; // shared with the stream that plays it
    qint16 m_openMode = 1;
    qint16 m_fileType = 0;
    bool m_playRequested = false; // Play called and not stopped since
    bool m_playPaused = false;
    qint64 m_playFrame = 0;       // where play goes on from while not playing
    bool m_outputRunning = false;
    qint16 m_playError = 0;
    PlayOptions m_playOptions;
    QFuture<std::shared_ptr<const CallProfile>> m_profile; // of the open file
};

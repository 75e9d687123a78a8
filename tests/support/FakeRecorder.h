#pragma once

#include "base/RecorderComponent.h"

#include <QHash>
#include <QQueue>
#include <QStringList>

// A scripted recorder component: logs every member called, answers the codes the test
// sets per member ("Record", "OpenInput", ...) and reports the levels, position and
// state the test sets.
class FakeRecorder final : public RecorderComponent
{
public:
    QStringList log;               // e.g. "Stop", "Paused=true", "OpenRecordFile /tmp/x.wav"
    QHash<QString, qint16> codes;  // member -> result code (default 0)
    float levelA = -100.0f;
    QQueue<float> levelsA;         // level A of the next GetLevels, in turn; then levelA
    float levelB = -100.0f;
    double position = 0.0;
    double preRoll = 0.0;
    qint16 state = 0;
    bool paused = false;
    qint16 fileType = -1;
    QString recordFormat;
    // Player side.
    QString openedFile;
    double length = 0.0;
    qint32 sampleCount = 0, samplePosition = 0;
    qint16 stateAfterOpen = 2;     // what State answers after a successful Open
    std::shared_ptr<BufferJudge> judge;

    void setPcmRate(qint16 rate) override;
    void setRecordOption(qint16 option) override;
    void setRecordFormat(const QString &waveFormatHex) override;
    qint16 State() override { return state; }
    qint16 Close() override;
    void Stop() override;
    qint16 OpenRecordFile(const QString &path) override;
    qint16 OpenInput() override;
    bool Paused() override { return paused; }
    void setPaused(bool p) override;
    void GetLevels(float &a, qint16 &, float &b, qint16 &) override;
    qint16 Record() override;
    double Position() override { return position; }
    double PreRollSeconds() override { return preRoll; }
    void setBufferJudge(std::shared_ptr<BufferJudge> j) override { judge = std::move(j); }
    // One captured buffer of `frames` at 8 kHz, shown to the judge while the input is open:
    // the verdict it answered (Carry when no buffer was captured).
    BufferJudge::Verdict feed(float levelA, qint64 frames = 1600);
    qint16 ShowMixer(qint16 show) override;

    QString FileName() override { return openedFile; }
    qint16 Open(const QString &path) override;
    qint32 SampleCount() override { return sampleCount; }
    qint32 SamplePosition() override { return samplePosition; }
    qint16 Play() override;
    void setPosition(double seconds) override;
    double Length() override { return length; }
    QString formatDescription = QStringLiteral("PCM 8.000 kHz, 16 Bit, Mono");
    void GetFormatDescription(QString &description) override { description = formatDescription; }
    void setOpenMode(qint16 mode) override;
    void setFileType(qint16 type) override;
    void setPlayOptions(const PlayOptions &o) override;

private:
    qint16 answer(const QString &member, const QString &entry);
};

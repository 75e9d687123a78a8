#pragma once

#include "base/RecorderComponent.h"

// The component of a machine without any audio input: every call fails with code 1.
class NoDeviceRecorder final : public RecorderComponent
{
public:
    static constexpr qint16 NoDevice = 1;

    void setPcmRate(qint16) override {}
    void setRecordOption(qint16) override {}
    void setRecordFormat(const QString &) override {}
    qint16 State() override { return 0; }
    qint16 Close() override { return NoDevice; }
    void Stop() override {}
    qint16 OpenRecordFile(const QString &) override { return NoDevice; }
    qint16 OpenInput() override { return NoDevice; }
    bool Paused() override { return false; }
    void setPaused(bool) override {}
    void GetLevels(float &levelA, qint16 &, float &levelB, qint16 &) override
    {
        levelA = levelB = -100.0f;
    }
    qint16 Record() override { return NoDevice; }
    double Position() override { return 0.0; }
    qint16 ShowMixer(qint16) override { return NoDevice; }

    QString FileName() override { return QString(); }
    qint16 Open(const QString &) override { return NoDevice; }
    qint32 SampleCount() override { return 0; }
    qint32 SamplePosition() override { return 0; }
    qint16 Play() override { return NoDevice; }
    void setPosition(double) override {}
    double Length() override { return 0.0; }
    void GetFormatDescription(QString &description) override { description.clear(); }
    void setOpenMode(qint16) override {}
    void setFileType(qint16) override {}
};

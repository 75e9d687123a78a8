#include "recording/VoiceDetection.h"

#include "base/AppContext.h"
#include "base/Guarded.h"
#include "base/MainState.h"
#include "base/modErrors.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "recording/DetectionView.h"
#include "recording/RecordingSession.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Timer enabling as the handlers mean it: switching on a running timer leaves its beat alone.
void enable(QTimer &timer)
{
    if (!timer.isActive())
        timer.start();
}

} // namespace

VoiceDetection::VoiceDetection(AppContext &context, MainState &mainState, DetectionView &mainView,
                               RecorderComponent &rec, RecordingSession &recording,
                               QObject *parent)
    : QObject(parent), ctx(context), state(mainState), view(mainView), recorder(rec),
      session(recording)
{
    Detection.setObjectName(u"Detection"_s);
    Detection.setInterval(200);
    tmrVoxTriggerDelay.setObjectName(u"tmrVoxTriggerDelay"_s);
    tmrVoxTriggerDelay.setInterval(1500);
    tmrVoxLatch.setObjectName(u"tmrVoxLatch"_s);
    tmrVoxLatch.setInterval(1000);
    Prompts &prompts = ctx.prompts();
    connect(&Detection, &QTimer::timeout, this,
            Guarded(prompts, u"frmMain:Detection_Timer"_s, [this] { Detection_Timer(); }));
    connect(&tmrVoxTriggerDelay, &QTimer::timeout, this,
            Guarded(prompts, u"frmMain:tmrVoxTriggerDelay_Timer"_s, [this] { tmrVoxTriggerDelay_Timer(); }));
    connect(&tmrVoxLatch, &QTimer::timeout, this,
            Guarded(prompts, u"frmMain:tmrVoxLatch_Timer"_s, [this] { tmrVoxLatch_Timer(); }));
    connect(&session, &RecordingSession::stoppedEarly, this,
            Guarded(prompts, u"frmMain:cmdStop_Click"_s, [this] { EndLatch(); }));
}

void VoiceDetection::Detection_Timer()
{
    // In manual mode too: the level shows whether the line is connected before a call.
    if (!state.DetectionSuspended)
        DetectionTick();
}

void VoiceDetection::DetectionTick()
{
    PollVoiceLevel();
    if (state.IsRecording)
        return;
    if (state.DetectionRunning) {
        if (recorder.State() >= 2)
            return;
        // The input went away while listening (the sound server or the device).
        state.DetectionRunning = false;
        WaitForInput();
        ctx.prompts().message(modErrors::RecorderErrorText(recorder.Close(), QString())
                                  + u"\r\n\r\nCalls are recorded again as soon as the input returns."_s,
                              Prompts::Exclamation, u"Error"_s);
        return;
    }
    if (m_waitingForInput && ++m_ticksWaiting < RetryTicks)
        return;

    recorder.Stop();
    recorder.Close();
    const qint16 openCode = recorder.OpenInput();
    qint16 recordCode = 0;
    if (openCode == 0) {
        recorder.setPaused(true);
        recordCode = recorder.Record();
    }
    if (openCode == 0 && recordCode == 0) {
        state.DetectionRunning = true;
        m_armedOnce = true;
        if (std::exchange(m_waitingForInput, false))
            view.SetStatusText(u"Ready"_s);
        return;
    }
    // Once the input has been heard, a failure to arm again is the input still being
    // away: try again every few seconds, quietly, rather than give up automatic recording.
    if (m_armedOnce || !ctx.settings.AutoRecord) {
        WaitForInput();
        return;
    }
    SwitchToManual();
    if (openCode)
        modErrors::ShowRecorderError(ctx.prompts(), openCode, QString());
    else
        ctx.prompts().msgBox(
            u"Failed to initialise Voice Detection - Check that other devices are not recording audio. "_s
                u"\r\nSwitching to manual control.\r\nErr: "_s
                + QString::number(recordCode),
            Prompts::OkOnly, Prompts::NoIcon, QString());
    view.UpdateButtons();
}

void VoiceDetection::WaitForInput()
{
    if (!m_waitingForInput)
        view.SetStatusText(u"Waiting for the recording input"_s);
    m_waitingForInput = true;
    m_ticksWaiting = 0;
}

void VoiceDetection::SwitchToManual()
{
    // Before the message box: the ticks that fire while it is open must not arm again
    // and stack up boxes.
    ctx.settings.AutoRecord = false;
    recorder.setPreRoll(0); // calls start by hand: from where the user said
}

void VoiceDetection::PollVoiceLevel()
{
    float levelA = 0, levelB = 0;
    qint16 spareA = 0, spareB = 0;
    recorder.GetLevels(levelA, spareA, levelB, spareB);
    const qint16 recorderState = recorder.State();
    if (state.DetectionSuspended)
        return;
    if (recorderState < 2) {
        view.SetLevels(-100.0f, -100.0f); // nothing heard: no input
        return;
    }
    view.SetLevels(levelA, levelB);
    if (!ctx.settings.AutoRecord)
        return;
    if (levelA > float(ctx.settings.Sensitivity)) {
        if (!state.TriggerPending) {
            state.TriggerPending = true;
            enable(tmrVoxTriggerDelay);
        }
        if (state.TriggerConfirmed) {
            state.LatchCount = ctx.settings.CallTimeOut;
            if (!state.IsRecording) {
                view.CloseCallNotePrompt(); // the previous call's, if still open
                if (state.PlaybackOpen)
                    session.cmdStop_Click();
                session.StartRecording();
                enable(tmrVoxLatch);
            }
        }
    } else if (!state.IsRecording) {
        tmrVoxTriggerDelay.stop();
        state.TriggerPending = false;
        state.TriggerConfirmed = false;
    }
}

void VoiceDetection::tmrVoxTriggerDelay_Timer()
{
    state.TriggerConfirmed = true;
    tmrVoxTriggerDelay.stop();
}

void VoiceDetection::tmrVoxLatch_Timer()
{
    state.LatchCount = std::max(state.LatchCount - 1, 0);
    if (state.LatchCount != 0)
        return;
    tmrVoxLatch.stop();
    state.TriggerConfirmed = false;
    state.TriggerPending = false;
    // Nothing left to end: the call was stopped by hand.
    if (!state.IsRecording)
        return;
    // Judged by what was heard since the call was noticed, not the line before it kept in
    // the file; in 32 bits: a call of 9.1 hours or more must not wrap below MinCallLength.
    const auto length = qint32(std::nearbyint(recorder.Position() - recorder.PreRollSeconds()));
    const bool discard = length < ctx.settings.MinCallLength || state.DiscardRecording;
    Detection.stop();
    session.StopRecording(discard);
    Detection.start();
    view.SetStatusText(u"Ready"_s);
    view.setElapsedPanel(u"00:00:00"_s);
}

void VoiceDetection::EndLatch()
{
    tmrVoxLatch.stop();
    tmrVoxTriggerDelay.stop();
    state.TriggerConfirmed = false;
    state.TriggerPending = false;
}

void VoiceDetection::SuspendDetection()
{
    Detection.stop();
    view.UpdateButtons();
}

void VoiceDetection::ResumeDetection()
{
    enable(Detection);
    view.UpdateButtons();
}

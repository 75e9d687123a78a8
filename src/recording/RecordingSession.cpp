#include "recording/RecordingSession.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/FileAccess.h"
#include "base/MainState.h"
#include "base/modErrors.h"
#include "base/Product.h"
#include "base/RecorderCodes.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"
#include "callstore/clsCall.h"
#include "callstore/colCalls.h"
#include "mover/MoverLauncher.h"
#include "mover/RecordingMover.h"
#include "recording/RecordingFiles.h"
#include "recording/RecordingView.h"
#include "recording/VoiceDetection.h"
#include "base/Guarded.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

RecordingSession::RecordingSession(AppContext &context, MainState &mainState, RecordingView &mainView,
                                   RecorderComponent &rec, RecorderComponent &play,
                                   QObject *parent)
    : QObject(parent), ctx(context), state(mainState), view(mainView), recorder(rec),
      player(play),
      m_launchMover(context.services.launchMover ? context.services.launchMover : StartRecordingMover),
      m_detection(std::make_shared<VoiceDetection>())
{
    // Queued from the capture thread: the verdicts come in the order they were reached.
    Prompts &prompts = ctx.prompts();
    GuardedConnect(prompts, u"frmMain:tmrVoxTriggerDelay_Timer"_s, m_detection.get(), &VoiceDetection::callStarts,
                   this, &RecordingSession::OnCallStarts);
    GuardedConnect(prompts, u"frmMain:tmrVoxLatch_Timer"_s, m_detection.get(), &VoiceDetection::callEnds, this,
                   &RecordingSession::OnCallEnds);
    GuardedConnect(prompts, u"frmMain:PollVoiceLevel"_s, m_detection.get(), &VoiceDetection::levels, this,
                   [this](float a, float b) {
                       if (!state.DetectionSuspended)
                           view.SetLevels(a, b);
                   });
    recorder.setBufferJudge(m_detection);
}

RecordingSession::~RecordingSession()
{
    recorder.setBufferJudge(nullptr);
}

void RecordingSession::ApplySettings()
{
    const ProgramSettings &s = ctx.settings;
    m_detection->setRules(s.AutoRecord && !state.DetectionSuspended, s.Sensitivity, s.CallTimeOut);
    // A call started by hand starts where the user said.
    recorder.setPreRoll(s.AutoRecord ? s.PreRoll : 0);
}

void RecordingSession::setLevelsWanted(bool wanted)
{
    m_detection->setLevelsWanted(wanted);
    if (!wanted || state.DetectionRunning)
        return;
    view.SetLevels(-100.0f, -100.0f); // nothing heard: no input
}

void RecordingSession::ArmDetection()
{
    if (state.IsRecording || m_ending)
        return;
    ApplySettings();
    m_detection->Arm();
    // A retry while the input is away goes on with the connection the last try began: a
    // server that answers slowly is waited for, not asked again from the start.
    if (!m_waitingForInput) {
        recorder.Stop();
        recorder.Close();
    }
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
    state.DetectionRunning = false;
    // Once the input has been heard, a failure to arm again is the input still being
    // away: try again every few seconds, quietly, rather than give up automatic recording.
    if (m_armedOnce || !ctx.settings.AutoRecord || openCode == RecorderCode::NoDevice) {
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

void RecordingSession::CheckInput()
{
    if (state.IsRecording) {
        CheckRecorder();
        return;
    }
    if (state.DetectionSuspended)
        return;
    if (state.DetectionRunning) {
        if (recorder.State() >= 2)
            return;
        // The input went away while listening (the sound server or the device).
        state.DetectionRunning = false;
        WaitForInput();
        const QString text = modErrors::RecorderErrorText(recorder.Close(), QString());
        // Only automatic recording misses calls while the input is away.
        if (ctx.settings.AutoRecord)
            ctx.prompts().message(text + u"\r\n\r\nCalls are recorded again as soon as the input returns."_s,
                                  Prompts::Exclamation, u"Error"_s);
        return;
    }
    if (m_waitingForInput && ++m_secondsWaiting < RetrySeconds)
        return;
    ArmDetection();
}

void RecordingSession::WaitForInput()
{
    if (!m_waitingForInput)
        view.SetStatusText(u"Waiting for the recording input"_s);
    m_waitingForInput = true;
    m_secondsWaiting = 0;
}

void RecordingSession::SwitchToManual()
{
    // Before the message box: the checks that run while it is open must not arm again
    // and stack up boxes.
    ctx.settings.AutoRecord = false;
    ApplySettings();
}

void RecordingSession::SuspendDetection()
{
    state.DetectionSuspended = true;
    ApplySettings();
    view.UpdateButtons();
}

void RecordingSession::ResumeDetection()
{
    state.DetectionSuspended = false;
    ApplySettings();
    if (!state.IsRecording)
        m_detection->Arm(); // a new call needs a new trigger
    view.UpdateButtons();
}

void RecordingSession::OnCallStarts()
{
    if (state.IsRecording || state.DetectionSuspended || !ctx.settings.AutoRecord) {
        if (!state.IsRecording)
            m_detection->EndLatch();
        return;
    }
    view.CloseCallNotePrompt(); // the previous call's, if still open
    if (state.PlaybackOpen)
        cmdStop_Click();
    StartRecording();
    if (!state.IsRecording)
        m_detection->EndLatch();
}

void RecordingSession::OnCallEnds()
{
    // Nothing left to end: the call was stopped by hand.
    if (!state.IsRecording)
        return;
    // The file took its last buffer where the latch ran out: complete it, then judge the
    // call by what was heard since it was noticed, not the line before it kept in the
    // file; in 32 bits: a call of 9.1 hours or more must not wrap below MinCallLength.
    recorder.Stop();
    const auto length = qint32(std::nearbyint(recorder.Position() - recorder.PreRollSeconds()));
    StopRecording(length < ctx.settings.MinCallLength || state.DiscardRecording);
    if (state.IsRecording)
        return; // the next call began while this one's note was asked for
    view.SetStatusText(u"Ready"_s);
    view.setElapsedPanel(u"00:00:00"_s);
}

void RecordingSession::StartRecording()
{
    if (m_ending)
        return;
    CurrentCall = std::make_shared<clsCall>();
    state.RecordActive = true;
    WasMinimised = view.IsMinimised();
    if (WasMinimised && ctx.settings.Maximise)
        view.ShowAndRaise();
    RecordingFileName = CallFiles::NewCallFileName(*CurrentCall, ctx.services.clock.now(),
                                                   ctx.CurrentUserName);
    view.ShowRecordingState(true);
    view.SetPlaybackControls(false);
    state.DetectionRunning = false;
    state.IsRecording = true;
    view.SetStatusText(u"Recording"_s);
    if (const qint16 code = BeginCapture()) {
        // Nothing is being recorded: the window is ready again, and says once why.
        state.IsRecording = false;
        state.RecordActive = false;
        CurrentCall.reset();
        view.ShowRecordingState(false);
        view.SetPlaybackControls(true);
        view.UpdateButtons();
        modErrors::ShowRecorderError(ctx.prompts(), code, RecordingFileName);
    }
}

qint16 RecordingSession::BeginCapture()
{
    const QString path = CallFiles::JoinPath(ctx.TempFolder, RecordingFileName);
    // A recording of the same second left unfinished must not be written over: file it first.
    if (QFile::exists(path)) {
        try {
            RecordingFiles::RenameWithLength(
                ctx.TempFolder, RecordingFileName,
                qint32(std::nearbyint(RecordingFiles::AudioSeconds(path).value_or(0.0))));
        } catch (const RuntimeError &) {
        }
    }
    recorder.Stop();
    recorder.setPaused(false);
    if (const qint16 code = recorder.OpenRecordFile(path)) {
        recorder.Close();
        return code;
    }
    if (const qint16 code = recorder.Record()) {
        recorder.Close();
        // The file made for a capture that never started holds no call.
        QFile::remove(path);
        return code;
    }
    return RecorderCode::Ok;
}

void RecordingSession::FileBeforeExit()
{
    if (!state.IsRecording)
        return;
    m_ending = true;
    m_detection->EndLatch();
    StopRecording(state.DiscardRecording);
}

void RecordingSession::CheckRecorder()
{
    if (!state.IsRecording || recorder.State() >= 2)
        return;
    m_detection->EndLatch();
    StopRecording(state.DiscardRecording);
}

void RecordingSession::StopRecording(bool discard)
{
    // A recording stopped already (by hand, before its latch ran out) is filed or being
    // filed: a second stop must not rename or delete it.
    if (!state.IsRecording)
        return;
    // This call's own record and name: a new call may start while its note is asked for.
    const std::shared_ptr<clsCall> call = CurrentCall;
    const bool wasMinimised = WasMinimised;
    try {
        recorder.Stop();
        // The length as the recorder counted it at the stop, not the clock panel's
        // copy of up to a second ago.
        const auto length = qint32(std::nearbyint(recorder.Position()));
        const qint16 failure = recorder.Close();
        view.ShowRecordingState(false);
        state.IsRecording = false;
        view.SetStatusText(u"Recording Complete"_s);
        // The discard mark belongs to the recording it was set for, however that ends.
        state.DiscardRecording = false;

        RecordingFileName = RecordingFiles::RenameWithLength(ctx.TempFolder, RecordingFileName,
                                                             length);
        const QString fileName = RecordingFileName;
        // Listening again before the note is asked for: the next call may come meanwhile.
        ArmDetection();
        if (discard) {
            if (ctx.settings.AutoRecord) {
                if (!QFile::remove(CallFiles::JoinPath(ctx.TempFolder, fileName)))
                    throw RuntimeError(75, u"Path/File access error"_s);
            } else {
                view.EnableQuitAndOptions();
            }
        } else {
            FileCall(call, fileName, length, wasMinimised);
        }
        view.UpdateButtons();
        // A call that started while the note was asked for is still open.
        if (!state.IsRecording)
            state.RecordActive = false;
        // Said once the call is safe: the box waits for the user, the filing must not.
        if (failure)
            ctx.prompts().message(modErrors::RecorderErrorText(failure, fileName)
                                      + u"\r\n\r\nThe call was cut short there; what was recorded until then is kept."_s,
                                  Prompts::Exclamation, u"Error"_s);
    } catch (const std::exception &e) {
        ctx.prompts().message(u"An error occurred when stopping recording.  The error reported was: "_s
                                  + QString::number(RuntimeError::numberOf(e)) + u": "_s
                                  + RuntimeError::descriptionOf(e),
                              Prompts::Exclamation, u"Error"_s);
    }
}

void RecordingSession::FileCall(const std::shared_ptr<clsCall> &call, const QString &fileName,
                                qint32 length, bool wasMinimised)
{
    call->setRecordingLocation(fileName);
    LaunchMover();
    if (ctx.settings.AddNote && !m_ending) {
        call->setCallNote(view.AskCallNote());
        if (wasMinimised)
            view.Minimise();
    }
    if (!call->CallNote().isEmpty())
        WriteNote(*call);

    call->setRecordingLocation(CallFiles::JoinPath(ctx.settings.CallPath, fileName));
    call->setCallDuration(length);
    colCalls &calls = view.CallsCollection();
    const qint32 iCall = calls.maxKey().toInt() + 1;
    QString key = QString::number(iCall);
    // Position 1 of an empty listing is its end.
    const colCalls::Record filed =
        calls.Add(iCall, call->LoginName(), call->CallDate(), call->CallTime(), length,
                  call->CallNote(), call->RecordingLocation(), call->CallerID(),
                  calls.Count() > 0 ? 1 : -1, key);
    if (filed) {
        call->setiCall(iCall);
        view.AddFiledCall(filed);
    }
}

void RecordingSession::WriteNote(const clsCall &call)
{
    // A calls folder that cannot be reached or written now (a share gone, a folder another
    // user made) must not cost the note: it then waits beside the recording in the
    // temporary folder, and the mover files it with the call.
    const QString callPath = ctx.settings.CallPath;
    QString error;
    if (FileAccess::MakeFolders(callPath) && CallFiles::WriteCallNoteFile(call, callPath, &error))
        return;
    CallFiles::WriteCallNote(call, ctx.TempFolder, ctx.prompts());
}

void RecordingSession::LaunchMover()
{
    if (const std::optional<QString> failure = m_launchMover())
        ctx.prompts().message(ProductName() + u" failed to launch recording mover: "_s + *failure,
                              Prompts::Exclamation, ProductName() + u" Error"_s);
}

void RecordingSession::cmdRecord_Click()
{
    // A second start would end the running capture and leave its file unfiled.
    if (state.IsRecording)
        return;
    state.RecordActive = true;
    StartRecording();
    view.SetPlaybackControls(false);
}

void RecordingSession::cmdStop_Click()
{
    if (state.RecordActive) {
        if (state.IsRecording) {
            m_detection->EndLatch();
            recorder.Stop();
            StopRecording(false);
        }
        if (!state.IsRecording)
            state.RecordActive = false;
        if (ctx.settings.AutoRecord)
            view.EnableStopButton(false);
    } else if (state.PlaybackOpen) {
        view.StopPlayback();
    }
}

void RecordingSession::cmdPause_Click()
{
    RecorderComponent &component = state.PlaybackOpen ? player : recorder;
    component.setPaused(!component.Paused());
}

void RecordingSession::FileLeftoverRecordings()
{
    const QList<RecordingFiles::Recovered> recovered =
        RecordingFiles::FinishLeftoverRecordings(ctx.TempFolder, ctx.CurrentUserName);
    for (const RecordingFiles::Recovered &r : recovered) {
        if (r.to.isEmpty())
            modErrors::ReportError(ctx.prompts(), 75, r.from + u": "_s + r.problem, 999,
                                   u"frmMain:FileLeftoverRecordings Method"_s, QString());
        else if (!r.problem.isEmpty())
            qWarning("%s filed as %s: %s", qPrintable(r.from), qPrintable(r.to),
                     qPrintable(r.problem));
    }
    const QStringList waiting = QDir(ctx.TempFolder).entryList(QDir::Files);
    if (std::any_of(waiting.begin(), waiting.end(), [](const QString &name) {
            return RecordingMover::IsFinishedRecording(name) || RecordingMover::IsFinishedNote(name);
        }))
        LaunchMover();
}

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
      m_launchMover(context.services.launchMover ? context.services.launchMover : StartRecordingMover)
{
}

RecordingSession::~RecordingSession() = default;

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
    emit stoppedEarly();
    StopRecording(state.DiscardRecording);
}

void RecordingSession::CheckRecorder()
{
    if (!state.IsRecording || recorder.State() >= 2)
        return;
    emit stoppedEarly();
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
            emit stoppedEarly();
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

#include "recording/RecordingSession.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/FileAccess.h"
#include "base/Guarded.h"
#include "base/MainState.h"
#include "base/OnThread.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/modErrors.h"
#include "callstore/CallFiles.h"
#include "callstore/clsCall.h"
#include "callstore/colCalls.h"
#include "callstore/FileJob.h"
#include "mover/MoverLauncher.h"
#include "mover/RecordingMover.h"
#include "recording/RecordingView.h"
#include "recording/VoiceDetection.h"

#include "base/modUtilityFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// How long the window waits for the recorder where it must: before the options and at
// the end. A recorder stuck longer (a hung disk) finishes on its own.
constexpr int FilingWaitMs = 5000;
} // namespace

RecordingSession::RecordingSession(AppContext &context, MainState &mainState, RecordingView &mainView,
                                   RecorderComponent &rec, RecorderComponent &play, QObject *parent,
                                   Threading threading)
    : QObject(parent), ctx(context), state(mainState), view(mainView), player(play),
      m_detection(std::make_shared<VoiceDetection>())
{
    Clock &clock = ctx.services.clock;
    m_recorder = new CallRecorder(rec, m_detection, [&clock] { return clock.now(); },
                                  ctx.services.launchMover ? ctx.services.launchMover : StartRecordingMover,
                                  ctx.prompts());
    rec.setBufferJudge(m_detection);
    // A look in the local temporary folder while a call waits there for the mover.
    m_followFiling = new QTimer(this);
    m_followFiling->setInterval(FollowFilingMs);
    connect(m_followFiling, &QTimer::timeout, this, &RecordingSession::followFiling);
    if (threading == Threading::Own) {
        m_thread = new QThread(this);
        m_thread->setObjectName(u"voxmere-recorder"_s);
        m_recorder->moveToThread(m_thread);
        m_thread->start();
    }

    Prompts &prompts = ctx.prompts();
    auto on = [&](const char *name, auto signal, auto handler) {
        GuardedConnect(prompts, u"frmMain:"_s + QLatin1StringView(name), m_recorder, signal, this, handler);
    };
    on("StartRecording", &CallRecorder::recordingStarted, &RecordingSession::OnStarted);
    on("StartRecording", &CallRecorder::recordingNotStarted, &RecordingSession::OnNotStarted);
    on("StopRecording", &CallRecorder::recordingEnded, &RecordingSession::OnEnded);
    on("ArmDetection", &CallRecorder::listeningChanged, &RecordingSession::OnListening);
    on("ArmDetection", &CallRecorder::switchedToManual, &RecordingSession::OnSwitchedToManual);
    on("CheckInput", &CallRecorder::inputLost, [this](const QString &text) {
        ctx.prompts().message(tr("%1\r\n\r\nCalls are recorded again as soon as the input returns.").arg(text),
                              Prompts::Exclamation, tr("Error"));
    });
    on("tmrTimeStamp_Timer", &CallRecorder::elapsed, [this](double seconds) {
        ElapsedSeconds = seconds;
        // Whole seconds, rounded half to even as the time display always has.
        if (state.IsRecording)
            view.setElapsedPanel(modUtilityFunctions::FormatTime(qint32(std::nearbyint(seconds)), 1));
    });
    on("FileLeftoverRecordings Method", &CallRecorder::leftoverUnfiled, [this](const QString &text) {
        modErrors::ReportError(ctx.prompts(), 75, text, 999, u"frmMain:FileLeftoverRecordings Method"_s, QString());
    });
    on("LaunchMover", &CallRecorder::moverFailed, [this](const QString &failure) {
        ctx.prompts().message(tr("%1 failed to launch recording mover: %2").arg(ProductName(), failure),
                              Prompts::Exclamation, tr("%1 Error").arg(ProductName()));
    });
    GuardedConnect(prompts, u"frmMain:PollVoiceLevel"_s, m_detection.get(), &VoiceDetection::levels, this,
                   [this](float a, float b) {
                       if (!state.DetectionSuspended)
                           view.SetLevels(a, b);
                   });
}

RecordingSession::~RecordingSession()
{
    // The recorder's last work (filing a call) is waited for a moment, not for ever: one
    // stuck longer (a hung disk) is left to the end of the process.
    if (!RunOnThread(m_recorder, [r = m_recorder] { delete r; }, FilingWaitMs)) {
        m_thread->setParent(nullptr);
        return;
    }
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
    }
}

template<typename F>
void RecordingSession::onRecorder(F &&f)
{
    QMetaObject::invokeMethod(m_recorder, std::forward<F>(f), Qt::QueuedConnection);
}

void RecordingSession::ApplySettings()
{
    SendRules(false);
}

void RecordingSession::SendRules(bool newTrigger)
{
    const ProgramSettings &s = ctx.settings;
    const CallRecorder::Rules rules{.autoRecord = s.AutoRecord,
                                    .suspended = state.DetectionSuspended,
                                    .gsm = s.GsmFlag,
                                    .sensitivity = s.Sensitivity,
                                    .callTimeOut = s.CallTimeOut,
                                    .minCallLength = s.MinCallLength,
                                    .preRoll = double(s.PreRoll)};
    // The detector at once (it is made for it): no call starts once it is suspended.
    m_detection->setRules(rules.autoRecord && !rules.suspended, rules.sensitivity, rules.callTimeOut);
    onRecorder([r = m_recorder, rules, newTrigger] { r->SetRules(rules, newTrigger); });
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
    ApplySettings();
    onRecorder([r = m_recorder, folder = ctx.TempFolder, user = ctx.CurrentUserName] {
        r->SetRecordingPlace(folder, user);
        r->ArmDetection();
    });
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
    SendRules(true); // a new call needs a new trigger
    view.UpdateButtons();
}

void RecordingSession::FileLeftoverRecordings()
{
    onRecorder([r = m_recorder, folder = ctx.TempFolder, user = ctx.CurrentUserName] {
        r->SetRecordingPlace(folder, user);
        r->FileLeftoverRecordings();
    });
}

RecorderComponent *RecordingSession::LendRecorder()
{
    const bool idle = RunOnThread(m_recorder, [] {}, FilingWaitMs).has_value();
    return idle && state.DetectionSuspended && !state.IsRecording ? &m_recorder->recorderComponent() : nullptr;
}

void RecordingSession::CheckInput()
{
    RunOnThread(m_recorder, [r = m_recorder] { r->CheckInput(); }, FilingWaitMs);
}

std::optional<qint16> RecordingSession::CloseRecorder()
{
    return RunOnThread(m_recorder, [r = m_recorder] { return r->CloseRecorder(); }, FilingWaitMs);
}

void RecordingSession::OnListening(bool listening, bool waitingForInput)
{
    state.DetectionRunning = listening;
    if (waitingForInput && !m_waitingForInput)
        view.SetStatusText(tr("Waiting for the recording input"));
    else if (!waitingForInput && m_waitingForInput && listening)
        view.SetStatusText(tr("Ready"));
    m_waitingForInput = waitingForInput;
}

void RecordingSession::OnSwitchedToManual(qint16 openCode, qint16 recordCode)
{
    ctx.settings.AutoRecord = false;
    ApplySettings();
    if (openCode)
        modErrors::ShowRecorderError(ctx.prompts(), openCode, QString());
    else
        ctx.prompts().msgBox(
            tr("Failed to initialise Voice Detection - Check that other devices are not recording audio. "
               "\r\nSwitching to manual control.\r\nErr: %1").arg(recordCode),
            Prompts::OkOnly, Prompts::NoIcon, QString());
    view.UpdateButtons();
}

void RecordingSession::OnStarted(const std::shared_ptr<clsCall> &call, const QString &fileName)
{
    view.CloseCallNotePrompt(); // the previous call's, if still open
    if (state.PlaybackOpen)
        view.StopPlayback();
    CurrentCall = call;
    RecordingFileName = fileName;
    ElapsedSeconds = 0;
    state.RecordActive = true;
    WasMinimised = view.IsMinimised();
    if (WasMinimised && ctx.settings.Maximise)
        view.ShowAndRaise();
    view.ShowRecordingState(true);
    view.SetPlaybackControls(false);
    state.DetectionRunning = false;
    state.IsRecording = true;
    view.SetStatusText(tr("Recording"));
}

void RecordingSession::OnNotStarted(qint16 code, const QString &fileName)
{
    // Nothing is being recorded: the window is ready again, and says once why.
    state.IsRecording = false;
    state.RecordActive = false;
    view.ShowRecordingState(false);
    view.SetPlaybackControls(true);
    view.UpdateButtons();
    modErrors::ShowRecorderError(ctx.prompts(), code, fileName);
}

void RecordingSession::OnEnded(const CallRecorder::Ending &ending)
{
    view.ShowRecordingState(false);
    state.IsRecording = false;
    CurrentCall.reset();
    RecordingFileName = ending.fileName;
    view.SetStatusText(tr("Recording Complete"));
    if (!ending.error.isEmpty()) {
        state.RecordActive = false;
        view.UpdateButtons();
        ctx.prompts().message(ending.error, Prompts::Exclamation, tr("Error"));
        return;
    }
    if (ending.moverFailure)
        ctx.prompts().message(tr("%1 failed to launch recording mover: %2").arg(ProductName(), *ending.moverFailure),
                              Prompts::Exclamation, tr("%1 Error").arg(ProductName()));
    if (!ending.discarded)
        FileCall(ending);
    else if (!ctx.settings.AutoRecord)
        view.EnableQuitAndOptions();
    view.UpdateButtons();
    // A call that started while the note was asked for is still open.
    if (!state.IsRecording)
        state.RecordActive = false;
    // Said once the call is safe: the box waits for the user, the filing did not.
    if (ending.failure)
        ctx.prompts().message(tr("%1\r\n\r\nThe call was cut short there; what was recorded until then is kept.")
                                  .arg(modErrors::RecorderErrorText(ending.failure, ending.fileName)),
                              Prompts::Exclamation, tr("Error"));
    if (ending.byDetection && !state.IsRecording) {
        view.SetStatusText(tr("Ready"));
        view.setElapsedPanel(u"00:00:00"_s);
    }
}

void RecordingSession::FileCall(const CallRecorder::Ending &ending)
{
    clsCall &call = *ending.call;
    call.setRecordingLocation(ending.fileName);
    if (ctx.settings.AddNote && !m_ending && !ending.exiting) {
        const bool wasMinimised = WasMinimised;
        // A note given from the command line during the call stays; what is typed follows it.
        const QString given = call.CallNote(), typed = view.AskCallNote();
        call.setCallNote(given.isEmpty() || typed.isEmpty() ? given + typed : given + u"\r\n"_s + typed);
        if (wasMinimised)
            view.Minimise();
    }
    if (!call.CallNote().isEmpty())
        WriteNote(call);

    // Where the mover put it, when it did so under another name meanwhile (a call of the
    // same name from another PC had it).
    call.setRecordingLocation(
        CallFiles::JoinPath(ctx.settings.CallPath, RecordingMover::FiledNameOf(ctx.TempFolder, ending.fileName)));
    LastFiledCall = call.RecordingLocation();
    LastFiledName = ending.fileName;
    call.setCallDuration(ending.length);
    colCalls &calls = view.CallsCollection();
    const qint32 iCall = calls.maxKey().toInt() + 1;
    QString key = QString::number(iCall);
    // Position 1 of an empty listing is its end.
    const colCalls::Record filed =
        calls.Add(iCall, call.LoginName(), call.CallDate(), call.CallTime(), ending.length, call.CallNote(),
                  call.RecordingLocation(), call.CallerID(), calls.Count() > 0 ? 1 : -1, key);
    const auto whereFiled = [temp = ctx.TempFolder, folder = ctx.settings.CallPath,
                             name = ending.fileName]() -> std::optional<QString> {
        if (QFileInfo(CallFiles::JoinPath(temp, name)).isFile())
            return std::nullopt; // waits to be filed
        return CallFiles::JoinPath(folder, RecordingMover::FiledNameOf(temp, name));
    };
    if (filed) {
        call.setiCall(iCall);
        view.AddFiledCall(filed, whereFiled);
    }
    // Told once the mover has put it, by the name it took there.
    m_filing.push_back(whereFiled);
    followFiling();
}

void RecordingSession::followFiling()
{
    std::erase_if(m_filing, [this](const std::function<std::optional<QString>()> &where) {
        const std::optional<QString> path = where();
        if (path)
            emit callFiled(QDir::cleanPath(*path));
        return path.has_value();
    });
    if (m_filing.empty())
        m_followFiling->stop();
    else if (!m_followFiling->isActive())
        m_followFiling->start();
}

void RecordingSession::WriteNote(const clsCall &call)
{
    // Beside the recording in the temporary folder, for the mover to file where the call
    // went: another PC's call of the same name may have taken the call's name on the
    // share, and a calls folder that cannot be reached now must not cost the note.
    QString error;
    if (CallFiles::WriteCallNoteFile(call, ctx.TempFolder, &error)) {
        (ctx.services.launchMover ? ctx.services.launchMover : StartRecordingMover)();
        return; // one that does not start is told by the waiting calls, and started again
    }
    // The temporary folder's disk is full: into the calls folder, unless a note is there.
    const QString folder = ctx.settings.CallPath, name = call.RecordingLocation(), note = call.CallNote();
    onCallsFolder([folder, name, note] {
        const QString notePath = CallFiles::NotePathOf(CallFiles::JoinPath(folder, name));
        if (QFileInfo::exists(notePath))
            return tr("A note of another call of that name is in %1").arg(folder);
        QString error;
        if (!FileAccess::MakeFolders(folder) || !CallFiles::WriteNoteText(notePath, note, &error))
            return error;
        return QString();
    }, [this](const QString &error) {
        if (!error.isEmpty())
            modErrors::ReportError(ctx.prompts(), 75, error, 999, u"frmMain:WriteCallNote Method"_s, QString());
    });
}

void RecordingSession::WriteLastFiledNote(const QString &note, std::function<void(const QString &, const QString &)> done)
{
    const QString waits = CallFiles::JoinPath(ctx.TempFolder, LastFiledName), temp = ctx.TempFolder,
                  folder = ctx.settings.CallPath, name = LastFiledName;
    auto filed = std::make_shared<QString>();
    auto inTemp = std::make_shared<bool>(false);
    onCallsFolder([=] {
        QString error;
        *filed = CallFiles::JoinPath(folder, RecordingMover::FiledNameOf(temp, name));
        // Waiting to be filed: beside it, for the mover to file with it wherever it goes.
        if (QFileInfo(waits).isFile() && CallFiles::WriteEditedNote(waits, note, &error)) {
            *inTemp = true;
            return QString();
        }
        // Filed: beside it, where the mover put it (under a copy number when another PC's
        // call had its name).
        return CallFiles::WriteEditedNote(*filed, note, &error) ? QString() : error;
    }, [this, filed, inTemp, done = std::move(done)](const QString &error) {
        if (!error.isEmpty()) // the job may have been given up: what it found is not read
            return done(QString(), error);
        if (*inTemp)
            (ctx.services.launchMover ? ctx.services.launchMover : StartRecordingMover)();
        done(*filed, error);
    });
}

void RecordingSession::onCallsFolder(std::function<QString()> work, std::function<void(const QString &)> done)
{
    // The work's answer is read once it has returned; a job given up is told by the job.
    auto error = std::make_shared<QString>();
    auto *job = new FileJob(ctx.prompts(), u"frmMain:WriteCallNote Method"_s,
                            [work = std::move(work), error](FileJob::Control &) { *error = work(); }, this);
    job->giveUpAfter(FileJob::StallLimit);
    GuardedConnect(ctx.prompts(), u"frmMain:WriteCallNote Method"_s, job, &FileJob::finished, this,
                   [job, error, done = std::move(done)] {
                       job->deleteLater();
                       done(job->gaveUp() ? FileJob::StallMessage(FileJob::StallLimit) : *error);
                   });
}

void RecordingSession::FileBeforeExit()
{
    m_ending = true;
    RunOnThread(m_recorder, [r = m_recorder] { r->FileBeforeExit(); }, FilingWaitMs);
}

void RecordingSession::StopRecording(bool discard)
{
    onRecorder([r = m_recorder, discard] { r->StopRecording(discard); });
}

void RecordingSession::StopAndFile()
{
    RunOnThread(m_recorder, [r = m_recorder] { r->StopRecording(false); }, FilingWaitMs);
    // Its ending, told meanwhile: the note is asked for now, not over the options.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void RecordingSession::cmdRecord_Click()
{
    if (state.IsRecording)
        return;
    state.RecordActive = true;
    onRecorder([r = m_recorder, folder = ctx.TempFolder, user = ctx.CurrentUserName] {
        r->SetRecordingPlace(folder, user);
        r->StartRecording();
    });
    view.SetPlaybackControls(false);
}

void RecordingSession::cmdStop_Click()
{
    if (state.RecordActive) {
        if (state.IsRecording)
            StopRecording(false);
        else
            state.RecordActive = false;
        if (ctx.settings.AutoRecord)
            view.EnableStopButton(false);
    } else if (state.PlaybackOpen) {
        view.StopPlayback();
    }
}

void RecordingSession::cmdPause_Click()
{
    if (state.PlaybackOpen)
        player.setPaused(!player.Paused());
    else
        onRecorder([r = m_recorder] { r->TogglePause(); });
}

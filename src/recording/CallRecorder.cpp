#include "recording/CallRecorder.h"

#include "base/Guarded.h"
#include "base/RecorderCodes.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "base/modErrors.h"
#include "callstore/CallFiles.h"
#include "callstore/clsCall.h"
#include "mover/RecordingMover.h"
#include "recording/RecordingFiles.h"
#include "recording/VoiceDetection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

CallRecorder::CallRecorder(RecorderComponent &rec, std::shared_ptr<VoiceDetection> detection,
                           std::function<QDateTime()> now, MoverLauncher launchMover, Prompts &prompts)
    : recorder(rec), m_detection(std::move(detection)), m_now(std::move(now)),
      m_launchMover(std::move(launchMover)), m_prompts(prompts)
{
    // Queued from the capture thread: the verdicts come in the order they were reached.
    GuardedConnect(prompts, u"frmMain:tmrVoxTriggerDelay_Timer"_s, m_detection.get(), &VoiceDetection::callStarts,
                   this, &CallRecorder::OnCallStarts);
    GuardedConnect(prompts, u"frmMain:tmrVoxLatch_Timer"_s, m_detection.get(), &VoiceDetection::callEnds, this,
                   &CallRecorder::OnCallEnds);
}

void CallRecorder::StartChecks()
{
    m_check = new QTimer(this);
    m_check->setInterval(1000);
    GuardedConnect(m_prompts, u"frmMain:tmrTimeStamp_Timer"_s, m_check, &QTimer::timeout, this,
                   &CallRecorder::CheckInput);
    m_check->start();
}

void CallRecorder::SetRules(const Rules &rules, bool newTrigger)
{
    m_rules = rules;
    ApplyRules();
    // The format is the settings' once they name one; until then the recorder's own.
    if (rules.gsm != m_gsm) {
        m_gsm = rules.gsm;
        if (m_gsm) {
            recorder.setRecordOption(100);
            recorder.setRecordFormat(RecorderComponent::GsmFormat());
        } else {
            recorder.setPcmRate(8000);
            recorder.setRecordOption(8);
        }
    }
    if (newTrigger && !m_recording)
        m_detection->Arm();
}

void CallRecorder::ApplyRules()
{
    m_detection->setRules(m_rules.autoRecord && !m_rules.suspended, m_rules.sensitivity, m_rules.callTimeOut);
    // A call started by hand starts where the user said.
    recorder.setPreRoll(m_rules.autoRecord ? m_rules.preRoll : 0);
}

void CallRecorder::SetRecordingPlace(const QString &tempFolder, const QString &userName)
{
    m_tempFolder = tempFolder;
    m_userName = userName;
}

void CallRecorder::PublishListening(bool listening, bool waiting)
{
    if (listening == m_listening && waiting == m_waitingForInput)
        return;
    m_listening = listening;
    m_waitingForInput = waiting;
    emit listeningChanged(listening, waiting);
}

void CallRecorder::ArmDetection()
{
    if (m_recording || m_ending)
        return;
    // From the first arming on, once the temporary folder and the user are known.
    if (!m_check)
        StartChecks();
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
        m_armedOnce = true;
        PublishListening(true, false);
        return;
    }
    // Once the input has been heard, a failure to arm again is the input still being
    // away: try again every few seconds, quietly, rather than give up automatic recording.
    if (m_armedOnce || !m_rules.autoRecord || openCode == RecorderCode::NoDevice) {
        WaitForInput();
        return;
    }
    // At once, before the window hears of it: the checks meanwhile must not arm again.
    m_rules.autoRecord = false;
    ApplyRules();
    PublishListening(false, false);
    emit switchedToManual(openCode, recordCode);
}

void CallRecorder::WaitForInput()
{
    m_secondsWaiting = 0;
    PublishListening(false, true);
}

void CallRecorder::CheckInput()
{
    if (m_recording) {
        emit elapsed(recorder.Position());
        CheckRecorder();
        return;
    }
    if (m_rules.suspended)
        return;
    if (m_listening) {
        if (recorder.State() >= 2)
            return;
        // The input went away while listening (the sound server or the device).
        WaitForInput();
        const QString text = modErrors::RecorderErrorText(recorder.Close(), QString());
        // Only automatic recording misses calls while the input is away.
        if (m_rules.autoRecord)
            emit inputLost(text);
        return;
    }
    if (m_waitingForInput && ++m_secondsWaiting < RetrySeconds)
        return;
    ArmDetection();
}

void CallRecorder::CheckRecorder()
{
    // The recorder stopped by itself during a call (the input was lost, the disk is full):
    // the call so far is filed.
    if (!m_recording || recorder.State() >= 2)
        return;
    m_detection->EndLatch();
    StopCall(false, false);
}

void CallRecorder::OnCallStarts()
{
    if (m_recording || m_rules.suspended || !m_rules.autoRecord) {
        if (!m_recording)
            m_detection->EndLatch();
        return;
    }
    StartRecording();
    if (!m_recording)
        m_detection->EndLatch();
}

void CallRecorder::OnCallEnds()
{
    // Nothing left to end: the call was stopped by hand.
    if (!m_recording)
        return;
    // The file took its last buffer where the latch ran out: complete it, then judge the
    // call by what was heard since it was noticed, not the line before it kept in the
    // file; in 32 bits: a call of 9.1 hours or more must not wrap below MinCallLength.
    recorder.Stop();
    const auto length = qint32(std::nearbyint(recorder.Position() - recorder.PreRollSeconds()));
    StopCall(length < m_rules.minCallLength, true);
}

void CallRecorder::StartRecording()
{
    // A second start would end the running capture and leave its file unfiled.
    if (m_recording || m_ending)
        return;
    auto call = std::make_shared<clsCall>();
    m_fileName = CallFiles::NewCallFileName(*call, m_now(), m_userName);
    PublishListening(false, m_waitingForInput);
    if (const qint16 code = BeginCapture(CallFiles::JoinPath(m_tempFolder, m_fileName))) {
        emit recordingNotStarted(code, m_fileName);
        return;
    }
    m_call = call;
    m_recording = true;
    emit recordingStarted(call, m_fileName);
}

qint16 CallRecorder::BeginCapture(const QString &path)
{
    // A recording of the same second left unfinished must not be written over: file it first.
    if (QFile::exists(path)) {
        try {
            RecordingFiles::RenameWithLength(
                m_tempFolder, m_fileName,
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

void CallRecorder::StopRecording(bool discard)
{
    m_detection->EndLatch();
    StopCall(discard, false);
}

void CallRecorder::StopCall(bool discard, bool byDetection)
{
    // A recording stopped already (by hand, before its latch ran out) is filed or being
    // filed: a second stop must not rename or delete it.
    if (!m_recording)
        return;
    Ending ending;
    ending.call = std::exchange(m_call, nullptr);
    ending.byDetection = byDetection;
    ending.exiting = m_ending;
    m_recording = false;
    try {
        recorder.Stop();
        // The length as the recorder counted it at the stop.
        ending.length = qint32(std::nearbyint(recorder.Position()));
        ending.failure = recorder.Close();
        m_fileName = RecordingFiles::RenameWithLength(m_tempFolder, m_fileName, ending.length);
        ending.fileName = m_fileName;
        ending.discarded = discard;
        if (!discard)
            ending.moverFailure = m_launchMover();
        else if (m_rules.autoRecord && !QFile::remove(CallFiles::JoinPath(m_tempFolder, m_fileName)))
            throw RuntimeError(75, QCoreApplication::translate("RuntimeError", "Path/File access error"));
    } catch (const std::exception &e) {
        ending.error = tr("An error occurred when stopping recording.  The error reported was: %1: %2")
            .arg(QString::number(RuntimeError::numberOf(e)), RuntimeError::descriptionOf(e));
    }
    // Listening again before the window hears of it: the next call may come meanwhile.
    ArmDetection();
    emit recordingEnded(ending);
}

void CallRecorder::TogglePause()
{
    recorder.setPaused(!recorder.Paused());
}

void CallRecorder::FileBeforeExit()
{
    m_ending = true;
    m_detection->EndLatch();
    StopCall(false, false);
}

qint16 CallRecorder::CloseRecorder()
{
    const qint16 code = recorder.Close();
    recorder.State();
    PublishListening(false, false);
    return code;
}

void CallRecorder::FileLeftoverRecordings()
{
    const QList<RecordingFiles::Recovered> recovered =
        RecordingFiles::FinishLeftoverRecordings(m_tempFolder, m_userName);
    for (const RecordingFiles::Recovered &r : recovered) {
        if (r.to.isEmpty())
            emit leftoverUnfiled(tr("%1: %2").arg(r.from, r.problem));
        else if (!r.problem.isEmpty())
            qWarning("%s filed as %s: %s", qPrintable(r.from), qPrintable(r.to), qPrintable(r.problem));
    }
    const QStringList waiting = QDir(m_tempFolder).entryList(QDir::Files);
    if (std::none_of(waiting.begin(), waiting.end(), [](const QString &name) {
            return RecordingMover::IsFinishedRecording(name) || RecordingMover::IsFinishedNote(name);
        }))
        return;
    if (const std::optional<QString> failure = m_launchMover())
        emit moverFailed(*failure);
}

#include "recording/WaitingCalls.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Guarded.h"
#include "mover/MoverLauncher.h"
#include "mover/RecordingMover.h"

#include <QDir>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

WaitingCalls::WaitingCalls(AppContext &context, QObject *parent)
    : QObject(parent), tmrWaitingCalls(new QTimer(this)), ctx(context),
      m_launchMover(context.services.launchMover ? context.services.launchMover : StartRecordingMover),
      // The program starts the mover itself at start-up and after each call.
      m_lastLaunch(context.services.clock.now())
{
    tmrWaitingCalls->setObjectName(u"tmrWaitingCalls"_s);
    tmrWaitingCalls->setInterval(CheckMs);
    connect(tmrWaitingCalls, &QTimer::timeout, this,
            Guarded(ctx.prompts(), u"frmMain:tmrWaitingCalls_Timer"_s, [this] { tmrWaitingCalls_Timer(); }));
    tmrWaitingCalls->start();
}

void WaitingCalls::tmrWaitingCalls_Timer()
{
    const QString folder = ctx.TempFolder;
    qsizetype waiting = 0, notes = 0;
    if (!folder.isEmpty()) {
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoSymLinks);
        waiting = std::count_if(names.begin(), names.end(), RecordingMover::IsFinishedRecording);
        notes = std::count_if(names.begin(), names.end(), RecordingMover::IsFinishedNote);
    }
    QString text, details;
    if ((waiting > 0 || notes > 0) && !RecordingMover::AtWork(folder)) {
        const QDateTime now = ctx.services.clock.now();
        const qint64 since = m_lastLaunch.secsTo(now);
        if (since >= RetrySeconds || since < 0) { // or the clock was put back
            m_lastLaunch = now;
            const std::optional<QString> failure = m_launchMover();
            m_launchFailure = failure ? tr("the recording mover cannot be started: %1").arg(*failure) : QString();
        }
        QStringList problems = RecordingMover::LastProblems(folder);
        if (!m_launchFailure.isEmpty())
            problems.prepend(m_launchFailure);
        // A note waits alone when its call is filed and the share went before the note.
        text = waiting == 1 ? tr("1 call waiting to be filed")
             : waiting > 1  ? tr("%n calls waiting to be filed", nullptr, waiting)
             : notes == 1   ? tr("1 note waiting to be filed")
                            : tr("%n notes waiting to be filed", nullptr, notes);
        details = tr("%1 (listed under \"Waiting to be filed\" in the drive list)").arg(text);
        if (!problems.isEmpty()) {
            text = tr("%1: %2").arg(text, problems.first());
            details = tr("%1:\n%2").arg(details, problems.join(u'\n'));
        }
    }
    if (text == m_text && details == m_details)
        return;
    m_text = text;
    m_details = details;
    emit changed(text, details);
}

#include "callstore/ui/JobProgress.h"


#include "base/Guarded.h"
#include "callstore/FileJob.h"
#include "desktop/WidgetParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using WidgetParts::named;

JobProgress::JobProgress(Prompts &prompts, QWidget *parent)
    : QWidget(parent), lblJob(named(new QLabel(this), "lblJob")),
      cmdCancelJob(named(new QToolButton(this), "cmdCancelJob", tr("Cancel"))), m_prompts(prompts),
      m_delay(named(new QTimer(this), "tmrJobProgress"))
{
    setObjectName(u"JobProgress"_s);
    cmdCancelJob->setText(tr("Cancel"));
    cmdCancelJob->setAccessibleName(tr("Cancel"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(lblJob);
    row->addWidget(cmdCancelJob);
    m_delay->setSingleShot(true);
    m_delay->setInterval(500);
    GuardedConnect(prompts, u"frmMain:JobProgress"_s, m_delay, &QTimer::timeout, this, [this] {
        if (m_job && !m_job->isFinished()) {
            lblJob->setText(m_job->progressText().isEmpty() ? tr("Working...") : m_job->progressText());
            show();
        }
    });
    GuardedConnect(prompts, u"frmMain:cmdCancelJob_Click"_s, cmdCancelJob, &QToolButton::clicked, this, [this] {
        if (m_job)
            m_job->cancel();
    });
    hide();
}

void JobProgress::watch(FileJob *job)
{
    if (m_job)
        m_job->disconnect(this);
    m_job = job;
    hide();
    GuardedConnect(m_prompts, u"frmMain:JobProgress"_s, job, &FileJob::progressed, this,
                   [this](const QString &text) { lblJob->setText(text); });
    GuardedConnect(m_prompts, u"frmMain:JobProgress"_s, job, &FileJob::finished, this, [this, job] {
        if (job == m_job)
            hide();
    });
    m_delay->start();
}

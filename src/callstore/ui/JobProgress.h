#pragma once

#include "callstore/FileJob.h"

#include <QPointer>
#include <QWidget>

class Prompts;
class QLabel;
class QTimer;
class QToolButton;

// The status bar's word on the file job running: shown once a job has taken half a
// second, with its progress and a Cancel button; hidden when it ends.
class JobProgress : public QWidget
{
    Q_OBJECT
public:
    JobProgress(Prompts &prompts, QWidget *parent = nullptr);

    // Follows this job (the latest started) until it finishes.
    void watch(FileJob *job);
    FileJob *job() const { return m_job; }

    QLabel *lblJob;
    QToolButton *cmdCancelJob;

private:
    Prompts &m_prompts;
    QPointer<FileJob> m_job;
    QTimer *m_delay;
};

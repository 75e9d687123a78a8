#pragma once

#include "callstore/FileJob.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct AppContext;
struct MainState;
class CallList;
class QTemporaryDir;
class QToolButton;
class QWidget;
class RecorderComponent;

// E-mailing the selected calls through the desktop's mail program (xdg-email) and
// saving copies of them, one by one or all into one folder. The questions are asked on
// the window's thread; the files are read and copied in a job.
class CallSending : public QObject
{
    Q_OBJECT
public:
    CallSending(AppContext &ctx, CallList &list, RecorderComponent &player, MainState &state,
                QWidget *window, QToolButton *cmdEmail, QToolButton *cmdSave,
                std::function<void()> stopPlayback);
    ~CallSending() override;

    void cmdEmail_Click();
    void cmdSave_Click();
    // True when the player calls the file's sound PCM.
    bool IsPCMFile(const QString &path);
    // Where one call's copy goes: into folder under its own name, or where the user says
    // when folder is ""; "" when the user cancelled.
    QString SaveTarget(const QString &source, QString folder);
    // The copies of a bulk save: every selected call into the folder the user chooses.
    QList<std::pair<QString, QString>> BulkSave();

    QString BulkSaveFolder; // the last folder of a bulk save in this run

signals:
    void jobStarted(FileJob *job);

private:
    // One call as prepared for the mail program.
    struct Attachment
    {
        QString source, copy, note;
        qint64 size = 0;
        int error = 0; // errno of the copy
    };
    QStringList selectedPaths() const;
    // The job, its button off until it is done; then runs on the window's thread.
    FileJob *startJob(const QString &context, QToolButton *button, FileJob::Work work,
                      std::function<void()> then = {});
    void SendMail(const std::vector<Attachment> &mail);
    // Asks before a message the mail program would get without its attachments.
    bool mailProgramTakesAttachments();

    AppContext &m_ctx;
    CallList &m_list;
    RecorderComponent &MSSRPlayer;
    MainState &m_state;
    QWidget *m_window;
    QToolButton *cmdEmail, *cmdSave;
    std::function<void()> m_stopPlayback;
    std::unique_ptr<QTemporaryDir> m_mailFolder; // the last message's copies, kept for the mail program
};

#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

struct AppContext;
struct MainState;
class CallList;
class QToolButton;
class QWidget;
class RecorderComponent;

// E-mailing the selected calls through the desktop's mail program (xdg-email) and
// saving copies of them, one by one or all into one folder.
class CallSending : public QObject
{
    Q_OBJECT
public:
    CallSending(AppContext &ctx, CallList &list, RecorderComponent &player, MainState &state,
                QWidget *window, QToolButton *cmdEmail, QToolButton *cmdSave,
                std::function<void()> stopPlayback);

    void cmdEmail_Click();
    void cmdSave_Click();
    // True when the player calls the file's sound PCM.
    bool IsPCMFile(const QString &path);
    // One call's copy: into folder under its own name, or where the user says when folder is "".
    void SaveFileAs(const QString &source, QString folder);
    void BulkSave();

    QString BulkSaveFolder; // the last folder of a bulk save in this run

private:
    QStringList selectedPaths() const;
    // Asks before a message the mail program would get without its attachments.
    bool mailProgramTakesAttachments();

    AppContext &m_ctx;
    CallList &m_list;
    RecorderComponent &MSSRPlayer;
    MainState &m_state;
    QWidget *m_window;
    QToolButton *cmdEmail, *cmdSave;
    std::function<void()> m_stopPlayback;
};

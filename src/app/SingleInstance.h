#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLockFile;

// One running program per user: a later start asks the running one to show its window
// and ends. The lock and socket live in a folder only the user may change.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QString name = defaultName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance; or, when one already runs, asks it to come to the
    // front and returns false. When no lock can be had otherwise, this one runs anyway,
    // unguarded, and problem() says why.
    bool claim();
    const QString &problem() const { return m_problem; }
    // Asks a running instance of this user to come to the front; true when one answered.
    bool ActivatePreviousInstance();

    // What a command from the command line gets: accepted or refused, and the words said.
    struct Reply
    {
        bool accepted = false;
        QString text;
    };
    using Answer = std::function<void(const Reply &)>;
    using CommandHandler = std::function<void(const QString &command, const QString &argument, const Answer &answer)>;
    // The running instance answers commands with this: at once, or once the command's
    // work is done (a note written to a share).
    void setCommandHandler(CommandHandler handler) { m_commands = std::move(handler); }
    // Sends a command to the running instance of this user and waits for its reply;
    // nothing when none answers.
    static std::optional<Reply> Send(const QString &name, const QString &command, const QString &argument,
                                     int waitMs);

    // In $XDG_RUNTIME_DIR when it is private, else in <temp>/voxmere-<uid>, made private.
    static QString defaultName();

signals:
    void showRequested();

private:
    QString m_name;
    QString m_problem;
    QLocalServer *m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
    CommandHandler m_commands;
};

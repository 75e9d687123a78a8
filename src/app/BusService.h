#pragma once

#include "app/SingleInstance.h"

#include <QDBusContext>
#include <QObject>
#include <functional>

// The running program on the session bus, for a softphone's hooks and scripts: the
// service org.voxmere.Voxmere, object /org/voxmere/Voxmere, interface
// org.voxmere.Voxmere. The methods do what the command line's commands do.
class BusService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.voxmere.Voxmere")
    Q_PROPERTY(QString State READ State)
public:
    using Commands = SingleInstance::CommandHandler;
    explicit BusService(Commands commands, QObject *parent = nullptr);
    // On the session bus when there is one; false (and nothing else happens) otherwise.
    bool publish();

    // idle, listening, recording <seconds> or input lost.
    QString State() const;

public slots:
    // Each answers as --record, --stop and --note do, the note once it is written; a
    // refusal is a D-Bus error (org.voxmere.Voxmere.Error.Refused) with the reason.
    QString Record();
    QString Stop();
    QString Note(const QString &text);

signals:
    // The mover filed a call: the path it has in the calls folder.
    void CallFiled(const QString &path);

private:
    void run(const QString &command, const QString &argument = QString());
    Commands m_commands;
};

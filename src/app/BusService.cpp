#include "app/BusService.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

using namespace Qt::StringLiterals;

BusService::BusService(Commands commands, QObject *parent) : QObject(parent), m_commands(std::move(commands))
{
}

bool BusService::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.registerObject(u"/org/voxmere/Voxmere"_s, this,
                                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                                                       | QDBusConnection::ExportAllProperties)
           && bus.registerService(u"org.voxmere.Voxmere"_s);
}

QString BusService::State() const
{
    return m_commands(u"status"_s, QString()).text;
}

QString BusService::Record()
{
    return run(u"record"_s);
}

QString BusService::Stop()
{
    return run(u"stop"_s);
}

QString BusService::Note(const QString &text)
{
    return run(u"note"_s, text);
}

QString BusService::run(const QString &command, const QString &argument)
{
    const SingleInstance::Reply reply = m_commands(command, argument);
    if (!reply.accepted && calledFromDBus())
        sendErrorReply(u"org.voxmere.Voxmere.Error.Refused"_s, reply.text);
    return reply.text;
}

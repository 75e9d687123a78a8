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
    QString state; // the status is told at once
    m_commands(u"status"_s, QString(), [&state](const SingleInstance::Reply &reply) { state = reply.text; });
    return state;
}

QString BusService::Record()
{
    run(u"record"_s);
    return QString();
}

QString BusService::Stop()
{
    run(u"stop"_s);
    return QString();
}

QString BusService::Note(const QString &text)
{
    run(u"note"_s, text);
    return QString();
}

void BusService::run(const QString &command, const QString &argument)
{
    // The reply goes once the command is done; what the slot returns is not sent.
    setDelayedReply(true);
    m_commands(command, argument, [call = message(), bus = connection()](const SingleInstance::Reply &reply) {
        QDBusConnection(bus).send(reply.accepted
                                      ? call.createReply(reply.text)
                                      : call.createErrorReply(u"org.voxmere.Voxmere.Error.Refused"_s, reply.text));
    });
}

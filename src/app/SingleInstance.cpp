#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

using namespace Qt::StringLiterals;

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

QString SingleInstance::defaultName()
{
    // The user's runtime folder is private to the user and to the session.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + u"/voxmere.socket"_s;
    return QDir::tempPath() + u"/voxmere-"_s + QString::number(geteuid()) + u".socket"_s;
}

bool SingleInstance::ActivatePreviousInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(300))
        return false;
    socket.write("show\n");
    socket.waitForBytesWritten(300);
    socket.disconnectFromServer();
    return true;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    // The lock decides who runs; a lock left by a crashed program is taken over.
    m_lock = std::make_unique<QLockFile>(m_name + u".lock"_s);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        // The running one may still be setting up its socket.
        for (int i = 0; i < 10; ++i) {
            if (ActivatePreviousInstance())
                break;
            QThread::msleep(50);
        }
        return false;
    }
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        qWarning("cannot listen on %s: %s", qPrintable(m_name), qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().startsWith("show"))
                    emit showRequested();
                client->deleteLater();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}

#include "app/SingleInstance.h"

#include "base/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The other end of a local socket runs as this user.
bool peerIsThisUser(qintptr socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && peer.uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

QString SingleInstance::defaultName()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR"), why;
    if (!QDir::isAbsolutePath(folder) || !FileAccess::IsPrivateFolder(folder, &why)) {
        // On this PC's own disk: a home folder may be shared by several PCs. One that
        // exists already is checked before it is used.
        folder = QDir::tempPath() + u"/voxmere-"_s + QString::number(::geteuid());
        FileAccess::MakeFolder(folder, 0700);
    }
    return folder + u"/voxmere.socket"_s;
}

bool SingleInstance::ActivatePreviousInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(300) || !peerIsThisUser(socket.socketDescriptor()))
        return false;
    socket.write("show\n");
    socket.waitForBytesWritten(300);
    socket.disconnectFromServer();
    return true;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!FileAccess::IsPrivateFolder(QFileInfo(m_name).path(), &m_problem))
        return true;
    // The lock decides who runs; a lock left by a crashed program is taken over.
    m_lock = std::make_unique<QLockFile>(m_name + u".lock"_s);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_problem = (m_lock->error() == QLockFile::PermissionError
                             ? u"no permission to write %1"_s
                             : u"%1 cannot be made"_s).arg(m_name + u".lock"_s);
            m_lock.reset();
            return true;
        }
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
            if (!peerIsThisUser(client->socketDescriptor())) {
                client->abort();
                client->deleteLater();
                continue;
            }
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

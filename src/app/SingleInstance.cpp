#include "app/SingleInstance.h"

#include "base/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
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

// A command goes as "command <name> <argument>" and its reply as "ok <text>" or
// "refused <text>", a line each, the texts percent-encoded.
std::optional<SingleInstance::Reply> SingleInstance::Send(const QString &name, const QString &command,
                                                          const QString &argument, int waitMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(300) || !peerIsThisUser(socket.socketDescriptor()))
        return std::nullopt;
    socket.write("command " + command.toUtf8().toPercentEncoding() + ' ' + argument.toUtf8().toPercentEncoding() + '\n');
    QByteArray line;
    while (!line.endsWith('\n') && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(waitMs)))
        line += socket.readLine();
    const QList<QByteArray> parts = line.chopped(line.endsWith('\n') ? 1 : 0).split(' ');
    if (parts.size() != 2 || (parts[0] != "ok" && parts[0] != "refused"))
        return std::nullopt;
    return Reply{parts[0] == "ok", QString::fromUtf8(QByteArray::fromPercentEncoding(parts[1]))};
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
                             ? tr("no permission to write %1")
                             : tr("%1 cannot be made")).arg(m_name + u".lock"_s);
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
                if (!client->canReadLine())
                    return;
                const QList<QByteArray> parts = client->readLine().chopped(1).split(' '); // without its newline
                if (parts.value(0) == "show") {
                    emit showRequested();
                } else if (parts.value(0) == "command" && parts.size() == 3) {
                    // Answered now or once the command's work is done; the asker may be gone by then.
                    const Answer answer = [client = QPointer<QLocalSocket>(client)](const Reply &reply) {
                        if (!client)
                            return;
                        client->write((reply.accepted ? "ok " : "refused ") + reply.text.toUtf8().toPercentEncoding() + '\n');
                        client->flush();
                        client->disconnectFromServer();
                    };
                    if (!m_commands)
                        return answer(Reply{false, u"Voxmere is still starting"_s});
                    return m_commands(QString::fromUtf8(QByteArray::fromPercentEncoding(parts[1])),
                                      QString::fromUtf8(QByteArray::fromPercentEncoding(parts[2])), answer);
                }
                client->disconnectFromServer();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}

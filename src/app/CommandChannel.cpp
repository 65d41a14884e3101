#include "CommandChannel.h"

#include "CommandIds.h"

#include "base/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace {

// A command line is a few digits, an open request a path; more than this from one
// connection is not a sender of commands.
constexpr qint64 MaxBytes = 4000;
const QByteArray OpenPrefix("open ");

} // namespace

CommandChannel::CommandChannel(const QString& name, QObject* parent)
    : QObject(parent), mName(name), mServer(new QLocalServer(this)), mPeerUser(::geteuid())
{
    connect(mServer, &QLocalServer::newConnection, this, &CommandChannel::acceptConnection);
}

CommandChannel::~CommandChannel() = default;

QString CommandChannel::serverName(QString* error)
{
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::home().filePath(QStringLiteral(".cache"));
    return serverNameIn(qEnvironmentVariable("XDG_RUNTIME_DIR"), cache, error);
}

QString CommandChannel::serverNameIn(const QString& runtimeFolder, const QString& cacheFolder,
                                     QString* error)
{
    // Never a shared folder such as /tmp: another user could listen under the name first
    // and be sent the user's commands and paths. The runtime folder is the user's own by
    // its definition, and is checked all the same. Socket options are not used: with them
    // Qt replaces the socket of a copy that already listens.
    const bool runtime = !runtimeFolder.isEmpty();
    const QString folder =
        runtime ? runtimeFolder : QDir(cacheFolder).filePath(QStringLiteral("orinote-command"));
    const QString problem = runtime ? PrivateFolder::check(folder) : PrivateFolder::make(folder);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return QString();
    }
    return QDir(folder).filePath(runtime ? QStringLiteral("orinote-command")
                                         : QStringLiteral("channel"));
}

bool CommandChannel::isAccepted(int command)
{
    return command == CommandIds::ReceiveDatabaseData;
}

bool CommandChannel::listen()
{
    if (mServer->isListening())
        return true;
    if (mName.isEmpty())
        return false;
    if (mServer->listen(mName))
        return true;
    // A socket left by a copy that ended without closing it: take it over unless some
    // copy still answers on it.
    QLocalSocket probe;
    probe.connectToServer(mName);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(mName);
    return mServer->listen(mName);
}

bool CommandChannel::isListening() const
{
    return mServer->isListening();
}

bool CommandChannel::fromPeerUser(const QLocalSocket* socket) const
{
    // The folder keeps other users out; the credentials of the connection say so for sure.
    ucred peer{};
    socklen_t size = sizeof peer;
    const int fd = int(socket->socketDescriptor());
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == mPeerUser;
}

void CommandChannel::acceptConnection()
{
    while (QLocalSocket* socket = mServer->nextPendingConnection()) {
        if (mConnections >= MaxConnections || !fromPeerUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++mConnections;
        connect(socket, &QObject::destroyed, this, [this] { --mConnections; });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A sender writes its line and goes; one that stays silent is closed.
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        idle->start(mIdleTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, idle] {
            idle->start(mIdleTimeoutMs);
            readRequests(socket);
        });
    }
}

void CommandChannel::readRequests(QLocalSocket* socket)
{
    QList<Request> requests;
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(MaxBytes);
        if (!line.endsWith('\n')) {
            // Longer than any request: the whole line goes, up to its end (which is
            // there, since a line can be read), and none of it is obeyed.
            while (!line.endsWith('\n') && !line.isEmpty())
                line = socket->readLine(MaxBytes);
            continue;
        }
        if (line.startsWith(OpenPrefix)) {
            QByteArray name = line.mid(OpenPrefix.size());
            while (name.endsWith('\n') || name.endsWith('\r'))
                name.chop(1);
            const QString path = QString::fromUtf8(name);
            if (QDir::isAbsolutePath(path))
                requests.append({0, path});
            continue;
        }
        bool ok = false;
        const int command = QString::fromLatin1(line).trimmed().toInt(&ok);
        if (ok && isAccepted(command))
            requests.append({command, QString()});
    }
    if (socket->bytesAvailable() > MaxBytes)
        socket->abort();
    // Passed on from the event loop: a command may open a question whose own event loop
    // deletes this socket once its sender has gone.
    for (const Request& request : requests) {
        QMetaObject::invokeMethod(
            this, [this, request] { deliver(request); }, Qt::QueuedConnection);
    }
}

void CommandChannel::deliver(const Request& request)
{
    if (mHolds > 0)
        mWaiting.append(request);
    else if (!request.path.isEmpty())
        emit openRequested(request.path);
    else
        emit commandReceived(request.command);
}

void CommandChannel::hold()
{
    ++mHolds;
}

void CommandChannel::release()
{
    if (mHolds == 0 || --mHolds > 0)
        return;
    // Passed on from the event loop, after the job that held them has returned.
    const QList<Request> waiting = std::exchange(mWaiting, {});
    for (const Request& request : waiting) {
        QMetaObject::invokeMethod(
            this, [this, request] { deliver(request); }, Qt::QueuedConnection);
    }
}

QString CommandChannel::send(int command, const QString& name, int timeoutMs)
{
    if (!isAccepted(command))
        return tr("コマンド %1 は受け付けられません。").arg(command);
    return sendLine(QByteArray::number(command) + '\n', name, timeoutMs);
}

QString CommandChannel::sendOpen(const QString& path, const QString& name, int timeoutMs)
{
    return sendLine(OpenPrefix + QFileInfo(path).absoluteFilePath().toUtf8() + '\n', name,
                    timeoutMs);
}

QString CommandChannel::sendLine(const QByteArray& line, const QString& name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return tr("ORINOTEが起動していません。");
    socket.write(line);
    if (!socket.waitForBytesWritten(timeoutMs))
        return tr("コマンドを送れませんでした。");
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return QString();
}

// Compiled here rather than with the library's other meta-object code, so that a program
// that does not use the channel (orinote-batch) does not link the network library.
#include "moc_CommandChannel.cpp"

#include "app/instance_channel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cstdint>

#include <sys/stat.h>

#include "document/game_environment.h"
#include "platform/lock_file_mutex.h"

namespace app {
namespace {

constexpr QByteArrayView kRaiseRequest = "raise\n";
// A peer that sends more than this without a line end is not an editor.
constexpr qint64 kLongestRequest = 64;
constexpr std::chrono::milliseconds kRetryPause{50};

bool SendRaiseRequest(const QString& path, int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(path, QIODevice::WriteOnly);
    if (!socket.waitForConnected(waitMs)) {
        return false;
    }
    // Once the kernel holds the request it is delivered: the running editor reads it when
    // its event loop runs, even if that is after a long load.
    socket.write(kRaiseRequest.data(), kRaiseRequest.size());
    const bool sent = socket.waitForBytesWritten(waitMs);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace

QString InstanceSocketPath(const std::string& lockHostPath) {
    // A socket path must stay short, so the lock file's path is hashed into the name.
    std::uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
    for (const unsigned char c : lockHostPath) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    const std::string folder = platform::SessionIndependentLockFolder();
    ::mkdir(folder.c_str(), 0700);
    return QString::fromStdString(folder) + QStringLiteral("/kaocg-editor-") +
           QString::number(hash, 16) + QStringLiteral(".socket");
}

InstanceServer::InstanceServer(std::function<void()> onRaise, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_onRaise(std::move(onRaise)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::AcceptConnections);
}

InstanceServer::~InstanceServer() {
    m_server->close();
}

bool InstanceServer::Listen(const QString& path) {
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

void InstanceServer::AcceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void InstanceServer::ReadRequest(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kLongestRequest + 1);
        if (line == kRaiseRequest && m_onRaise) {
            m_onRaise();
        }
    }
    if (socket->bytesAvailable() > kLongestRequest) {
        socket->abort();
    }
}

bool AskRunningEditorToRaise(const QString& path, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    do {
        const int remaining = static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1));
        if (SendRaiseRequest(path, remaining)) {
            return true;
        }
        QThread::msleep(static_cast<unsigned long>(kRetryPause.count()));
    } while (!deadline.hasExpired());
    return false;
}

}  // namespace app

#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace app {

// The socket of the editor holding an installation's lock file (its host path): in a folder
// private to the user that does not depend on the session, named after the lock file, so
// that every start on that installation finds it and no other installation's editor does.
QString InstanceSocketPath(const std::string& lockHostPath);

// The running editor's end of the single-instance handshake: a later start connects and asks
// it to bring its window forward.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(std::function<void()> onRaise, QObject* parent = nullptr);
    ~InstanceServer() override;

    // Call only while holding the editor's mutex: then no other editor can be listening, and
    // a socket file left behind by a crash is removed before listening.
    bool Listen(const QString& path);

private:
    void AcceptConnections();
    void ReadRequest(QLocalSocket* socket);

    QLocalServer* m_server;
    std::function<void()> m_onRaise;
};

// A later start's end: asks the editor listening at path to bring its window forward. False
// when none accepts the request within timeout (which covers the moment between a first
// editor taking the mutex and listening).
bool AskRunningEditorToRaise(const QString& path, std::chrono::milliseconds timeout);

}  // namespace app

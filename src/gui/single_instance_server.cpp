#include "gui/single_instance_server.h"

#include "app/single_instance.h"

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

namespace lorvan {

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
                received->append(socket->readAll());
                // More than a message can hold: not a second start of this program.
                if (static_cast<size_t>(received->size()) > kHandOverLimit) socket->abort();
            });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket, received] {
                received->append(socket->readAll());
                socket->deleteLater();
                const std::vector<std::string> paths =
                    decodeHandOver(std::string(received->constData(), static_cast<size_t>(received->size())));
                if (!paths.empty()) emit filesHandedOver(paths);
            });
        }
    });
}

bool InstanceServer::handOver(const QString& name, const std::string& message, int timeoutMilliseconds) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMilliseconds)) return false;
    socket.write(message.data(), static_cast<qint64>(message.size()));
    if (!socket.waitForBytesWritten(timeoutMilliseconds)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMilliseconds);
    return true;
}

bool InstanceServer::listen(const QString& name) {
    // Ask first: with the access options the toolkit puts its socket over an existing one, which
    // would take the name from the program that serves.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(1000)) return false;
    // Nobody answers: the name is a leftover of a program that ended without cleaning up.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

} // namespace lorvan

#include "WindowChannel.h"

#include "InstanceLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>
#include <QtEndian>

namespace {
const char kPending[] = "qlxPending";
const char kHandled[] = "qlxHandled";
} // namespace

WindowChannel::WindowChannel(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

QString WindowChannel::SocketPath(quint64 handle) {
    return InstanceLock::RuntimeFolder() + QStringLiteral("/QLX-window-%1").arg(handle);
}

bool WindowChannel::Listen(quint64 handle) {
    Close();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = SocketPath(handle);
    // A crashed instance may have left its socket behind; the instance lock says we are the only one.
    QLocalServer::removeServer(path);
    connect(server_, &QLocalServer::newConnection, this, &WindowChannel::Accept);
    return server_->listen(path);
}

void WindowChannel::Close() {
    if (!server_)
        return;
    server_->close();
    server_->deleteLater();
    server_ = nullptr;
}

void WindowChannel::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // A sender that gave up waiting may be gone before its record was read: it is still handled.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            Receive(socket);
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
        Receive(socket);
    }
}

void WindowChannel::Receive(QLocalSocket* socket) {
    // One record per connection; bytes that arrive while or after it is handled are dropped.
    if (socket->property(kHandled).toBool()) {
        socket->readAll();
        return;
    }
    QByteArray pending = socket->property(kPending).toByteArray() + socket->readAll();
    bool invalid = false;
    const std::optional<CopyDataMessage> message = CopyDataMessage::Decode(pending, &invalid);
    if (invalid) {
        socket->abort();
        return;
    }
    if (!message) {
        socket->setProperty(kPending, pending);
        return;
    }
    socket->setProperty(kHandled, true);
    socket->setProperty(kPending, QByteArray());
    // The sender may give up and the socket go while the record is handled.
    handler_(*message, [socket = QPointer<QLocalSocket>(socket)](quint32 result) {
        if (!socket || socket->state() != QLocalSocket::ConnectedState)
            return;
        char reply[4];
        qToLittleEndian(result, reply);
        socket->write(reply, 4);
        socket->flush();
        socket->disconnectFromServer();
    });
}

WindowChannel::SendResult WindowChannel::Send(quint64 handle, const CopyDataMessage& message,
                                              int connectTimeoutMs, int replyTimeoutMs, quint32* result) {
    QLocalSocket socket;
    socket.connectToServer(SocketPath(handle));
    if (!socket.waitForConnected(connectTimeoutMs))
        return SendResult::NoWindow;
    socket.write(message.Encode());
    QDeadlineTimer deadline(replyTimeoutMs);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return SendResult::NoAnswer;
    }
    QByteArray reply;
    while (reply.size() < 4) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            return SendResult::NoAnswer;
        reply += socket.readAll();
    }
    *result = qFromLittleEndian<quint32>(reply.constData());
    return SendResult::Answered;
}

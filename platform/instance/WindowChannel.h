// Stands in for sending a message to the window of another process: a main window that accepts
// messages listens on a local socket in the per-user runtime folder, named after its handle.
#pragma once

#include "CopyDataMessage.h"

#include <QObject>

#include <functional>

class QLocalServer;
class QLocalSocket;

class WindowChannel : public QObject {
    Q_OBJECT
public:
    // Sends the reply to the sender, if it still waits; may be called after the handler returned.
    using Reply = std::function<void(quint32)>;
    // Called once per record received; it answers through reply, at once or later.
    using Handler = std::function<void(const CopyDataMessage&, Reply reply)>;

    explicit WindowChannel(Handler handler, QObject* parent = nullptr);

    bool Listen(quint64 handle);
    void Close();

    static QString SocketPath(quint64 handle);

    enum class SendResult { NoWindow, Answered, NoAnswer };

    // Delivers the record to the window with that handle and waits until it has handled it.
    // NoAnswer: the record went out but no reply came within the time-out.
    static SendResult Send(quint64 handle, const CopyDataMessage& message, int connectTimeoutMs,
                           int replyTimeoutMs, quint32* result);

private:
    void Accept();
    void Receive(QLocalSocket* socket);

    Handler handler_;
    QLocalServer* server_ = nullptr;
};

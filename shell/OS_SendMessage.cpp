#include "OS_SendMessage.h"

#include "WindowChannel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {
// The first instance may still be starting: wait this long for its window to accept the record.
constexpr int kFindWindowMs = 10000;
// Opening the files can take the first instance a while (large files, questions to the user).
constexpr int kReplyMs = 30000;
constexpr int kRetryMs = 50;
} // namespace

OS_SendMessage::OS_SendMessage(WindowProc windowProc)
    : windowProc_(std::move(windowProc)) {}

OS_SendMessage::~OS_SendMessage() = default;

bool OS_SendMessage::Hook(quint64 handle) {
    channel_ = std::make_unique<WindowChannel>(windowProc_);
    return channel_->Listen(handle);
}

void OS_SendMessage::Unhook() {
    channel_.reset();
}

bool OS_SendMessage::IsHooked() const {
    return channel_ != nullptr;
}

bool OS_SendMessage::SendCommandLine(const std::function<QString()>& readHandle, const QString& commandLine) {
    const CopyDataMessage message = CopyDataMessage::FromText(
        QFile::encodeName(commandLine), kCommandLineData, quint32(QCoreApplication::applicationPid()));
    QDeadlineTimer deadline(kFindWindowMs);
    do {
        bool isNumber = false;
        const quint64 handle = readHandle().trimmed().toULongLong(&isNumber);
        quint32 result = 0;
        const auto sent = isNumber ? WindowChannel::Send(handle, message, kRetryMs, kReplyMs, &result)
                                   : WindowChannel::SendResult::NoWindow;
        // Once a window has the record it must not get it twice, answered or not.
        if (sent != WindowChannel::SendResult::NoWindow)
            return true;
        QThread::msleep(kRetryMs);
    } while (!deadline.hasExpired());
    return false;
}

QString OS_SendMessage::CommandLineOf(const CopyDataMessage& message) {
    QByteArray bytes = message.Payload();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QFile::decodeName(bytes);
}

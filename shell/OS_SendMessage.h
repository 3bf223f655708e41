// The hand-off between two starts of the program. The first instance hooks its main window so that
// WM_COPYDATA records sent to its published handle reach the window; a second instance sends its
// command line that way and waits until the first has handled it.
#pragma once

#include "CopyDataMessage.h"

#include <QString>

#include <functional>
#include <memory>

class WindowChannel;

class OS_SendMessage {
public:
    static constexpr quint32 kCommandLineData = 3;

    // windowProc answers each record through its reply, at once or later.
    using WindowProc = std::function<void(const CopyDataMessage&, std::function<void(quint32)> reply)>;

    explicit OS_SendMessage(WindowProc windowProc);
    ~OS_SendMessage();

    bool Hook(quint64 handle);
    void Unhook();
    bool IsHooked() const;

    // Sends the command line to the window whose handle "WinRegistration" publishes; handle is
    // read through readHandle until it names a window that accepts the record. True once a window
    // has the record, answered or not (a window busy with a prompt opens the files after it);
    // false when no window took it in time.
    static bool SendCommandLine(const std::function<QString()>& readHandle, const QString& commandLine);

    // The text a record carries: at most cbData bytes, cut before the first zero.
    static QString CommandLineOf(const CopyDataMessage& message);

private:
    WindowProc windowProc_;
    std::unique_ptr<WindowChannel> channel_;
};

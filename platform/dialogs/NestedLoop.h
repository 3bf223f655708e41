// A prompt serves events in a loop of its own while its caller waits: timers, sockets and signals
// run in there. Work that closes or opens windows (the exit, a handed-over command line, the
// automatic save) must not run inside it, since the caller still holds pointers into those
// windows. Every prompt, and every long task that serves events, holds a NestedLoop for as long
// as it runs; such work asks for WhenIdle and runs once the outermost one has returned.
#pragma once

#include <QObject>

#include <functional>


namespace qlx {

class NestedLoop {
public:
    NestedLoop();
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

    // True while a prompt or a task that serves events is under way.
    static bool Active();
    // Runs work now when nothing is under way, otherwise from the event loop once the last prompt
    // or task has returned. Work whose context is gone by then is dropped.
    static void WhenIdle(QObject* context, std::function<void()> work);
    // Closes every open prompt as if the user had pressed Escape, so that their callers go on.
    static void DismissPrompts();
};

} // namespace qlx

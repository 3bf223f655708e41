#include "ChildRun.h"

#include <QApplication>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The high-water mark of the resident memory of this process, in kB.
long PeakKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

[[noreturn]] void RunChild(int argc, char** argv, const std::function<double()>& work, int out) {
    Sample sample;
    {
        QApplication app(argc, argv);
        sample.milliseconds = work();
        sample.peakKb = PeakKb();
        sample.ok = true;
    }
    const bool written = ::write(out, &sample, sizeof sample) == ssize_t(sizeof sample);
    ::_exit(written ? 0 : 1);
}

} // namespace

Sample ChildRun::Run(int argc, char** argv, const std::function<double()>& work) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        RunChild(argc, argv, work, fds[1]);
    }
    ::close(fds[1]);
    Sample sample;
    if (child > 0) {
        if (::read(fds[0], &sample, sizeof sample) != ssize_t(sizeof sample))
            sample = {};
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::close(fds[0]);
    return sample;
}

#include "ChildRun.h"

#include <QApplication>
#include <QFile>

#include <array>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the child writes to the parent.
struct Report {
    int count = 0;
    std::array<Sample, ChildRun::kSteps> samples;
};

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

QtMessageHandler standardHandler = nullptr;

// The offscreen platform's notes on what it cannot do say nothing about the program: dropped.
void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        standardHandler(type, context, message);
}

[[noreturn]] void RunChild(int argc, char** argv, const std::function<void(const ChildRun::Record&)>& work,
                           int out) {
    Report report;
    standardHandler = qInstallMessageHandler(Handle);
    {
        QApplication app(argc, argv);
        work([&report](double milliseconds) {
            if (report.count < ChildRun::kSteps)
                report.samples[report.count++] = {milliseconds, PeakKb(), milliseconds >= 0};
        });
    }
    const bool written = ::write(out, &report, sizeof report) == ssize_t(sizeof report);
    ::_exit(written ? 0 : 1);
}

} // namespace

std::vector<Sample> ChildRun::Run(int argc, char** argv, const std::function<void(const Record&)>& work) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        RunChild(argc, argv, work, fds[1]);
    }
    ::close(fds[1]);
    Report report;
    if (child > 0) {
        if (::read(fds[0], &report, sizeof report) != ssize_t(sizeof report))
            report.count = 0;
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::close(fds[0]);
    return {report.samples.begin(), report.samples.begin() + report.count};
}

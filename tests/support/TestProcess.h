// Programs started by tests as real processes, and waiting on what they do.
#pragma once

#include "RegistryFunctions.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

// Waits, handling events, until the condition holds; false when the time ran out first.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 15000) {
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

// Starts the program without a display and with the hand-off channel's log on.
inline std::unique_ptr<QProcess> StartProgram(const QString& program, const QStringList& arguments,
                                              const QString& folder = QString()) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_LOGGING_RULES", "qlx.handoff.debug=true");
    process->setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process->setWorkingDirectory(folder);
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

// The program shows its welcome document once per user, and each test environment is a new user:
// with the document marked as seen, a start opens only the files the test gives it.
inline void MarkWelcomeSeen() {
    RegistryFunctions().WriteValue(Settings::kMainKey, "Welcome Shown", "1", "REG_SZ");
}

// A file in the test's folder that the first instance can open without asking anything.
inline QString MakeFile(const TestEnvironment& env, const QString& name) {
    QFile file(env.path(name));
    file.open(QIODevice::WriteOnly);
    file.write("x\r\n");
    return file.fileName();
}

// Gives a test process folders of its own: config (the registry store), data, state (drafts), runtime,
// home and documents, all inside one temporary directory, and points the environment at them.
#pragma once

#include <QString>
#include <QTemporaryDir>

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
    static constexpr int kCount = 7;
    QByteArray saved_[kCount];
};

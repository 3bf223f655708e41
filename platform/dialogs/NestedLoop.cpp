#include "NestedLoop.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace qlx {

namespace {
struct Pending {
    QPointer<QObject> context;
    std::function<void()> work;
};

int depth = 0;
std::vector<Pending> pending;

void RunPending() {
    // A prompt opened by one piece of work puts the rest back on hold.
    while (!pending.empty() && depth == 0) {
        Pending next = std::move(pending.front());
        pending.erase(pending.begin());
        if (next.context)
            next.work();
    }
}
} // namespace

NestedLoop::NestedLoop() {
    ++depth;
}

NestedLoop::~NestedLoop() {
    // The caller below the prompt still runs; the waiting work comes after it, from the event loop.
    if (--depth == 0 && !pending.empty())
        QTimer::singleShot(0, qApp, RunPending);
}

bool NestedLoop::Active() {
    return depth > 0;
}

void NestedLoop::WhenIdle(QObject* context, std::function<void()> work) {
    if (depth == 0 && pending.empty()) {
        work();
        return;
    }
    pending.push_back({context, std::move(work)});
    if (depth == 0)
        QTimer::singleShot(0, qApp, RunPending);
}

void NestedLoop::DismissPrompts() {
    while (QWidget* prompt = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(prompt))
            dialog->reject();
        else
            prompt->close();
        if (prompt == QApplication::activeModalWidget())
            return;
    }
}

} // namespace qlx

#include "EventQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <utility>

namespace {

// Counts the events delivered to any object of the application while it is installed.
class DeliveryCount : public QObject {
public:
    DeliveryCount() { QCoreApplication::instance()->installEventFilter(this); }
    ~DeliveryCount() override { QCoreApplication::instance()->removeEventFilter(this); }

    int Take() { return std::exchange(count_, 0); }

protected:
    bool eventFilter(QObject*, QEvent*) override {
        ++count_;
        return false;
    }

private:
    int count_ = 0;
};

} // namespace

void EventQueue::ServeUntilIdle() {
    DeliveryCount delivered;
    for (;;) {
        // A real event loop deletes what was left for deletion; processEvents alone does not.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bool reached = false;
        QTimer::singleShot(0, &delivered, [&reached] { reached = true; });
        delivered.Take();
        while (!reached)
            QCoreApplication::processEvents();
        if (delivered.Take() <= 1)
            return;
    }
}

double EventQueue::TimedUntilIdle(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    ServeUntilIdle();
    return double(timer.nsecsElapsed()) / 1e6;
}

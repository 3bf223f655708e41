// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that the program ends
// through its normal exit, as it would when the system closes its window.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void terminationRequested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};

// The automatic save's clock: a one-minute tick while an interval of 1 to 99 minutes is set. The
// main window counts the ticks and saves; the options dialog stops the clock while it is open.
#pragma once

#include <QObject>

class QTimer;
class Settings;

class AutoSave : public QObject {
    Q_OBJECT
public:
    AutoSave(Settings& settings, QObject* parent);

    // Runs the clock for an interval of 1 to 99 minutes, stops it for 0.
    void SetMinutes(int minutes);
    // Stops the clock until the next SetMinutes.
    void Pause();
    QTimer* Timer() const { return timer_; }

    // Counts a minute; true once the interval has passed, which starts the count anew.
    bool MinutePassed();

signals:
    void minute();

private:
    Settings& settings_;
    QTimer* timer_;
    int minuteCounter_ = 0;
};

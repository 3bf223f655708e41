#include "AutoSave.h"

#include "Settings.h"

#include <QTimer>

namespace {
constexpr int kTickMs = 60000;
} // namespace

AutoSave::AutoSave(Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("AutoSaveTimer"));
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &AutoSave::minute);
}

void AutoSave::SetMinutes(int minutes) {
    settings_.autoSaveMinutes = minutes;
    if (minutes != 0)
        timer_->start();
    else
        timer_->stop();
}

void AutoSave::Pause() {
    timer_->stop();
}

bool AutoSave::MinutePassed() {
    if (++minuteCounter_ < settings_.autoSaveMinutes)
        return false;
    minuteCounter_ = 0;
    return true;
}

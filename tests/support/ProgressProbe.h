// Looks into long work while it runs: the bar shows at once, and a timer set before the work fires
// only if the work serves events.
#pragma once

#include "WorkProgress.h"

#include <QTimer>
#include <QWidget>

#include <functional>

struct ProgressProbe {
    // root: a widget the document window lies in; during: what to do inside the work.
    explicit ProgressProbe(QWidget* root, std::function<void()> during = {}) {
        WorkProgress::SetQuietPeriod(0);
        QTimer::singleShot(0, [this, root, during = std::move(during)] {
            served = true;
            barShown = root->findChild<QWidget*>(WorkProgress::BarName()) != nullptr;
            if (during)
                during();
        });
    }
    ~ProgressProbe() { WorkProgress::SetQuietPeriod(500); }
    ProgressProbe(const ProgressProbe&) = delete;
    ProgressProbe& operator=(const ProgressProbe&) = delete;

    bool served = false;
    bool barShown = false;
};

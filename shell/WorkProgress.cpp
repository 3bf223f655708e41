#include "WorkProgress.h"

#include "NestedLoop.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace {

qint64 quietMs = 500;
constexpr qint64 kPaintIntervalMs = 100;
// The bar counts in parts of a thousand, whatever the unit of the work.
constexpr int kScale = 1000;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

// While cancellable work serves events: the Cancel button takes its clicks, Escape cancels, and
// every other key or click is dropped.
class WorkProgress::InputGate : public QObject {
public:
    InputGate(QPushButton* cancel, bool* cancelled) : cancel_(cancel), cancelled_(cancelled) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!IsUserInput(event->type()))
            return false;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            *cancelled_ = true;
            return true;
        }
        const bool toCancel =
            receiver == cancel_ && event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease;
        return !toCancel;
    }

private:
    QPushButton* cancel_;
    bool* cancelled_;
};

WorkProgress::WorkProgress(QWidget* window, QString caption, qint64 total, bool cancellable)
    : window_(window), caption_(std::move(caption)), total_(total), cancellable_(cancellable) {
    clock_.start();
}

WorkProgress::~WorkProgress() {
    gate_.reset();
    delete bar_;
}

void WorkProgress::SetQuietPeriod(qint64 milliseconds) {
    quietMs = milliseconds;
}

bool WorkProgress::Step(qint64 done) {
    const qint64 now = clock_.elapsed();
    if (now < quietMs || (lastServed_ >= 0 && now - lastServed_ < kPaintIntervalMs))
        return !cancelled_;
    lastServed_ = now;
    if (!bar_)
        ShowBar();
    if (meter_ && total_ > 0)
        meter_->setValue(int(std::clamp<qint64>(done * kScale / total_, 0, kScale)));
    Serve();
    return !cancelled_;
}

void WorkProgress::ShowBar() {
    if (!window_)
        return;
    auto* mdi = qobject_cast<QMdiSubWindow*>(window_.data());
    QWidget* host = mdi && mdi->widget() ? mdi->widget() : window_.data();
    auto* bar = new QFrame(host);
    bar->setObjectName(BarName());
    bar->setFrameShape(QFrame::StyledPanel);
    bar->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(bar);
    row->addWidget(new QLabel(caption_, bar));
    meter_ = new QProgressBar(bar);
    meter_->setRange(0, total_ > 0 ? kScale : 0);
    row->addWidget(meter_, 1);
    if (cancellable_) {
        cancel_ = new QPushButton(QStringLiteral("Cancel"), bar);
        QObject::connect(cancel_, &QPushButton::clicked, bar, [this] { cancelled_ = true; });
        row->addWidget(cancel_);
        gate_ = std::make_unique<InputGate>(cancel_, &cancelled_);
    }
    bar_ = bar;
    PlaceBar();
    bar->show();
    bar->raise();
}

void WorkProgress::PlaceBar() {
    QWidget* host = bar_->parentWidget();
    const int height = bar_->sizeHint().height();
    bar_->setGeometry(0, std::max(0, host->height() - height), host->width(), height);
}

void WorkProgress::Serve() {
    if (bar_)
        PlaceBar();
    // Timers and sockets run in here too: what must wait for the work asks for WhenIdle.
    const qlx::NestedLoop loop;
    QCoreApplication::processEvents(cancellable_ ? QEventLoop::AllEvents
                                                 : QEventLoop::ExcludeUserInputEvents);
}

#include "DocumentWatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {
// A program that rewrites a file empties it first: the file is looked at once the writes have
// paused, so that the user is not asked about the empty state in between.
constexpr int kSettleMs = 300;
} // namespace

DocumentWatch::DocumentWatch(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &DocumentWatch::touched);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        // A file replaced by a rename is no longer watched under its name.
        Watch();
        settle_->start();
    });
}

void DocumentWatch::Follow(const QString& path, const FileStamp& known) {
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    path_ = path;
    known_ = path.isEmpty() ? FileStamp() : known;
    seen_ = known_;
    asked_.reset();
    Watch();
}

void DocumentWatch::Watch() {
    if (!path_.isEmpty() && !watcher_->files().contains(path_) && QFileInfo::exists(path_))
        watcher_->addPath(path_);
}

DocumentWatch::State DocumentWatch::Check() {
    if (path_.isEmpty() || !known_.exists)
        return State::Same;
    Watch();
    seen_ = FileStamp::OnDisk(path_, seen_);
    if (!seen_.exists)
        return State::Removed;
    return seen_ == known_ ? State::Same : State::Changed;
}

bool DocumentWatch::FirstAsk() {
    if (asked_ && *asked_ == seen_)
        return false;
    asked_ = seen_;
    return true;
}

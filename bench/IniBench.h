// The INI measurements: opening and saving a large INI file in the INI window ("ours") against
// the bare toolkit building the same tree in a QTreeWidget and writing it back ("bare"). Each
// side runs in a fresh process; every step is timed until the event queue is idle.
#pragma once

#include "ChildRun.h"

#include <QString>

class IniBench {
public:
    // Writes the inputs into the folder: "many" has 100,000 lines in 10,000 sections, "wide" one
    // section of 50,000 keys; both in no particular order, so that opening sorts them.
    explicit IniBench(const QString& folder);

    QString ManyPath() const { return folder_ + "/many.ini"; }
    QString WidePath() const { return folder_ + "/wide.ini"; }
    bool Ready() const { return ready_; }

    // Open: read the file and build the tree, sorted, in the window, shown. Save: write the
    // opened tree back to its file.
    void Ours(const QString& path, const ChildRun::Record& record) const;
    void Bare(const QString& path, const ChildRun::Record& record) const;

private:
    QString folder_;
    bool ready_ = false;
};

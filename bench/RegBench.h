// The registry-file measurements: opening (both passes, tree and value table built) and saving in
// regular form a REGEDIT4 file of ten lines a key in the registry window ("ours"), against the
// bare toolkit building the key tree in a QTreeWidget and writing it back ("bare"). Each side runs in
// a fresh process; every step is timed until the event queue is idle.
#pragma once

#include "ChildRun.h"

#include <QString>

class RegBench {
public:
    // Writes the input into the folder: ten lines after the header for each of the keys, under
    // three levels of parents, each with string, dword and hex values, the hex spread over three
    // lines.
    RegBench(const QString& folder, int keys);

    QString InputPath() const { return folder_ + QStringLiteral("/input-%1.reg").arg(keys_); }
    bool Ready() const { return ready_; }

    // Open (the window's large-file question answered Yes), save in regular form, then Find over
    // the whole document, from the file node, for a text that is not in it.
    void Ours(const ChildRun::Record& record) const;
    void Bare(const ChildRun::Record& record) const;

private:
    QString folder_;
    int keys_;
    bool ready_ = false;
};

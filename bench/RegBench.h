// The registry-file measurements: opening (both passes, tree and value table built) and saving in
// regular form a REGEDIT4 file of a million lines in the registry window ("ours"), against the
// bare toolkit building the key tree in a QTreeWidget and writing it back ("bare"). Each runs in
// a fresh process, prepares untimed and returns the milliseconds of the timed part.
#pragma once

#include <QString>

class RegBench {
public:
    // Writes the input into the folder: 1,000,000 lines after the header, 100,000 keys under
    // three levels of parents, each with string, dword and hex values, the hex spread over three
    // lines.
    explicit RegBench(const QString& folder);

    QString InputPath() const { return folder_ + "/input.reg"; }
    bool Ready() const { return ready_; }

    double OpenOurs() const;
    double OpenBare() const;
    double SaveOurs() const;
    double SaveBare() const;
    // Find over the whole document, from the file node, for a text that is not in it.
    double FindOurs() const;
    double FindBare() const;

private:
    QString folder_;
    bool ready_ = false;
};

// The INI measurements: opening and saving a large INI file in the INI window ("ours") against
// the bare toolkit building the same tree in a QTreeWidget and writing it back ("bare"). Each
// runs in a fresh process, prepares untimed and returns the milliseconds of the timed part.
#pragma once

#include <QString>

class IniBench {
public:
    // Writes the inputs into the folder: "many" has 100,000 lines in 10,000 sections, "wide" one
    // section of 50,000 keys; both in no particular order, so that opening sorts them.
    explicit IniBench(const QString& folder);

    QString ManyPath() const { return folder_ + "/many.ini"; }
    QString WidePath() const { return folder_ + "/wide.ini"; }
    bool Ready() const { return ready_; }

    // Read the file and build the tree, sorted, in the window; shown once.
    double OpenManyOurs() const { return Open(ManyPath(), false); }
    double OpenManyBare() const { return Open(ManyPath(), true); }
    double OpenWideOurs() const { return Open(WidePath(), false); }
    double OpenWideBare() const { return Open(WidePath(), true); }
    // Write the opened tree back to its file.
    double SaveManyOurs() const { return Save(ManyPath(), false); }
    double SaveManyBare() const { return Save(ManyPath(), true); }
    double SaveWideOurs() const { return Save(WidePath(), false); }
    double SaveWideBare() const { return Save(WidePath(), true); }

private:
    double Open(const QString& path, bool bare) const;
    double Save(const QString& path, bool bare) const;

    QString folder_;
    bool ready_ = false;
};

// The text the directory-list gatherer puts on the clipboard: the folder's path, its files, then for
// each sub-folder an empty line, the sub-folder's path and its own listing, depth first. Lines end
// in CR LF. The walk takes entries in the order the gatherer's lists show them.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DirListing {
public:
    // What a folder holds, each part in the lists' order: files (hidden ones left out) and
    // sub-folders.
    struct Entries {
        QStringList files;
        QStringList folders;
    };

    // keepGoing runs while the folder is read, which can take long for a large one; nullopt when
    // it returned false.
    static std::optional<Entries> Read(const QString& folder, const std::function<bool()>& keepGoing);
    // The same, read in one go.
    static Entries Read(const QString& folder);
    // How a folder's path is written, in the list and in the listing.
    static QString Shown(const QString& folder);

    // indent: file lines start with a tab. keepGoing runs between entries and stops the walk by
    // returning false.
    DirListing(bool indent, std::function<bool()> keepGoing);

    // The listing of folder and everything below it; nullopt when the walk was stopped.
    std::optional<QString> List(const QString& folder);

private:
    // Appends the files and sub-folders of folder; false when stopped. walking holds the real
    // paths of the folders being walked, so that a link back to one of them is not entered again.
    bool Scan(const QString& folder, QStringList& walking);

    QString prefix_;
    std::function<bool()> keepGoing_;
    QString text_;
};

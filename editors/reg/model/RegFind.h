// Finding text in a registry document: in key names, value names and value data, through the tree
// in the order it is shown (a key, its values, then the keys below it), from a place onward.
#pragma once

#include "RegNode.h"
#include "RegValueTable.h"

#include <QString>

#include <optional>

class RegFind {
public:
    struct Options {
        QString text;
        bool keys = true;
        bool values = true;
        bool data = true;
        bool matchCase = false;
        // The whole name or data is the text, not just a part of it.
        bool wholeString = false;
    };
    // A key, or one of its values (its position in the table; -1 for the key itself).
    struct Place {
        RegNode* node = nullptr;
        qsizetype value = -1;
    };

    RegFind(const RegValueTable& values, Options options);

    // The first match after the place, up to the end of the tree; nothing when there is none.
    std::optional<Place> After(const Place& from) const;

private:
    bool Matches(const QString& text) const;
    // A match among the key's values after the one given (-1: all of them).
    std::optional<Place> InValues(RegNode* node, qsizetype after) const;

    const RegValueTable& values_;
    Options options_;
};

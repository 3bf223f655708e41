// Finding text in an INI document: in section names, key lines (the key and the value apart, and
// the whole line when both are looked at) and comments, through the tree in the order it is shown,
// from a node onward.
#pragma once

#include "IniNode.h"

#include <QString>

class IniFind {
public:
    struct Options {
        QString text;
        bool sections = true;
        bool keys = true;
        bool values = true;
        bool comments = true;
        bool matchCase = false;
        // The whole name, key, value or line is the text, not just a part of it.
        bool wholeString = false;
    };

    explicit IniFind(Options options) : options_(std::move(options)) {}

    // The first node after from (in the order the tree shows them) that matches; nullptr when none
    // does up to the end.
    IniNode* After(const IniNode* from) const;

private:
    bool Matches(QStringView text) const;
    bool Matches(const IniNode* node) const;

    Options options_;
};

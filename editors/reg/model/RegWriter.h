// Writes the registry tree and its values back as a registry file, in regular or expanded form.
#pragma once

#include "LineSource.h"
#include "RegValueTable.h"

#include <QString>

class RegNode;

class RegWriter {
public:
    // The lines of the file, handed to the sink one at a time: "REGEDIT4", an empty line, then in
    // tree order (depth first, a node before its children) each key line with its values and an
    // empty line; last the empty line after the final line end. A branch is written when it has
    // values, in expanded form also without, unless it only leads to a deletion entry
    // (RegNodes::PathOnly); a hive when it has values; a deletion entry always. The file node and its
    // values never are. False when the sink refused a line.
    static bool Lines(const RegNode* fileNode, const RegValueTable& values, bool expanded,
                      const LineSink& sink);
    // The same lines as one text, separated by "\n".
    static QString Text(const RegNode* fileNode, const RegValueTable& values, bool expanded);
    // One value as a line of the file; the default value is written as "@".
    static QString ValueLine(const RegValueTable::Record& record);
};

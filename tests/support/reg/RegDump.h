// A registry document as comparable text: each node as its Tag and key path, each value below it
// as name|type|data, in tree and table order.
#pragma once

#include "RegNodes.h"
#include "RegValueTable.h"
#include "RegWalk.h"

#include <QStringList>

// written: only what a file can carry, so no values of the file node and no hive that holds
// neither values nor keys.
inline QStringList Dump(const RegNode* file, const RegValueTable& values, bool written = false) {
    QStringList out;
    const auto dumpValues = [&](const std::vector<qsizetype>& owned) {
        for (const qsizetype index : owned) {
            const RegValueTable::Record& r = values.At(index);
            out << QStringLiteral("  ") + r.name + QLatin1Char('|') + r.type + QLatin1Char('|') + r.data;
        }
    };
    if (!written)
        dumpValues(values.Of(RegNodes::Id(file)));
    for (RegWalk walk(file); walk.Next();) {
        const RegNode* node = walk.Node();
        const std::vector<qsizetype> owned = values.Of(RegNodes::Id(node));
        const bool emptyHive =
            RegNodes::Tag(node) == RegNodes::HiveTag() && owned.empty() && node->ChildCount() == 0;
        if (written && emptyHive)
            continue;
        out << RegNodes::Tag(node) + QLatin1Char(' ') + walk.Path().toString();
        dumpValues(owned);
    }
    return out;
}

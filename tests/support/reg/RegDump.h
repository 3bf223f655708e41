// A registry document as comparable text: each node as its Tag and key path, each value below it
// as name|type|data, in tree and table order.
#pragma once

#include "RegNodes.h"
#include "RegValueTable.h"

#include <QStringList>

#include <functional>

// written: only what a file can carry, so no values of the file node and no hive that holds
// neither values nor keys.
inline QStringList Dump(const RegNode* file, const RegValueTable& values, bool written = false) {
    QStringList out;
    std::function<void(const RegNode*)> walk = [&](const RegNode* node) {
        const std::vector<qsizetype> owned = values.Of(RegNodes::Id(node));
        if (node != file) {
            const bool emptyHive =
                RegNodes::Tag(node) == RegNodes::HiveTag() && owned.empty() && node->ChildCount() == 0;
            if (written && emptyHive)
                return;
            out << RegNodes::Tag(node) + QLatin1Char(' ') + RegNodes::KeyPath(node);
        }
        if (node != file || !written) {
            for (const qsizetype index : owned) {
                const RegValueTable::Record& r = values.At(index);
                out << QStringLiteral("  ") + r.name + QLatin1Char('|') + r.type + QLatin1Char('|') + r.data;
            }
        }
        for (int i = 0; i < node->ChildCount(); ++i)
            walk(node->Child(i));
    };
    walk(file);
    return out;
}

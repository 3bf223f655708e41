#include "RegWriter.h"

#include "RegNodes.h"

#include <vector>

namespace {

struct Pending {
    const RegNode* node;
    QString path;
};

// The key line of a node, or the empty text when the node is not written.
QString KeyLine(const Pending& entry, bool hasValues, bool expanded) {
    const QString tag = RegNodes::Tag(entry.node);
    if (tag == RegNodes::DeletionTag()) {
        const QString text = entry.node->Text();
        const QString name = text.startsWith(QLatin1Char('-')) ? text.mid(1) : text;
        const qsizetype cut = entry.path.lastIndexOf(QLatin1Char('\\'));
        return QStringLiteral("[-") + (cut < 0 ? name : entry.path.left(cut + 1) + name) + QLatin1Char(']');
    }
    const bool written =
        tag == RegNodes::HiveTag()
            ? hasValues
            : tag == RegNodes::BranchTag() && (hasValues || (expanded && !RegNodes::PathOnly(entry.node)));
    if (!written)
        return QString();
    // A path ending in "\" names its parent when read, so a key whose last name is empty (read
    // from "[HKEY_USERS\\A\\\\]") takes one more to read back as itself.
    const QString tail = entry.path.endsWith(QLatin1Char('\\')) ? QStringLiteral("\\]") : QStringLiteral("]");
    return QLatin1Char('[') + entry.path + tail;
}

void PushChildren(std::vector<Pending>& stack, const RegNode* node, const QString& path) {
    for (int i = node->ChildCount() - 1; i >= 0; --i) {
        const RegNode* child = node->Child(i);
        stack.push_back({child, path.isEmpty() ? child->Text() : path + QLatin1Char('\\') + child->Text()});
    }
}

} // namespace

QString RegWriter::ValueLine(const RegValueTable::Record& record) {
    QString line = record.name == RegValueTable::DefaultName()
                       ? QStringLiteral("@")
                       : QLatin1Char('"') + record.name + QLatin1Char('"');
    if (record.type == RegValueTable::RegSz() && record.unquoted)
        line += QLatin1Char('=') + record.data;
    else if (record.type == RegValueTable::RegSz())
        line += QStringLiteral("=\"") + record.data + QLatin1Char('"');
    else if (record.type == RegValueTable::Dword())
        line += QStringLiteral("=dword:") + record.data;
    else if (record.type == RegValueTable::Deletion())
        line += QStringLiteral("=-");
    else if (record.type == RegValueTable::Hex())
        line += QStringLiteral("=hex:") + record.data;
    else
        // "HEX(n)" goes back as "hex(n):".
        line += QStringLiteral("=hex") + record.type.mid(3) + QLatin1Char(':') + record.data;
    return line;
}

QString RegWriter::Text(const RegNode* fileNode, const RegValueTable& values, bool expanded) {
    QString text = QStringLiteral("REGEDIT4\n\n");
    std::vector<Pending> stack;
    PushChildren(stack, fileNode, QString());
    while (!stack.empty()) {
        const Pending entry = std::move(stack.back());
        stack.pop_back();
        const std::vector<qsizetype> owned = values.Of(RegNodes::Id(entry.node));
        const QString keyLine = KeyLine(entry, !owned.empty(), expanded);
        if (!keyLine.isEmpty()) {
            text += keyLine + QLatin1Char('\n');
            for (const qsizetype index : owned)
                text += ValueLine(values.At(index)) + QLatin1Char('\n');
            text += QLatin1Char('\n');
        }
        PushChildren(stack, entry.node, entry.path);
    }
    return text;
}

#include "RegWriter.h"

#include "RegNodes.h"
#include "RegWalk.h"
#include "TextFile.h"

#include <vector>

namespace {

// The key line of a node at that path, or the empty text when the node is not written.
QString KeyLine(const RegNode* node, QStringView path, bool hasValues, bool expanded) {
    const QString tag = RegNodes::Tag(node);
    if (tag == RegNodes::DeletionTag()) {
        const QString text = node->Text();
        const QStringView name =
            text.startsWith(QLatin1Char('-')) ? QStringView(text).mid(1) : QStringView(text);
        QString line = QStringLiteral("[-");
        line += path.left(path.lastIndexOf(QLatin1Char('\\')) + 1);
        line += name;
        return line += QLatin1Char(']');
    }
    const bool written =
        tag == RegNodes::HiveTag()
            ? hasValues
            : tag == RegNodes::BranchTag() && (hasValues || (expanded && !RegNodes::PathOnly(node)));
    if (!written)
        return QString();
    // A path ending in "\" names its parent when read, so a key whose last name is empty (read
    // from "[HKEY_USERS\\A\\\\]") takes one more to read back as itself.
    QString line;
    line.reserve(path.size() + 3);
    line += QLatin1Char('[');
    line += path;
    return line += path.endsWith(QLatin1Char('\\')) ? QLatin1String("\\]") : QLatin1String("]");
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

bool RegWriter::Lines(const RegNode* fileNode, const RegValueTable& values, bool expanded,
                      const LineSink& sink) {
    // A name or data the user typed may hold a line end; it parts lines as in the text.
    const auto put = [&sink](QStringView line) { return TextFile::EachLine(line, sink); };
    if (!put(u"REGEDIT4") || !put(QStringView()))
        return false;
    for (RegWalk walk(fileNode); walk.Next();) {
        const std::vector<qsizetype> owned = values.Of(RegNodes::Id(walk.Node()));
        const QString keyLine = KeyLine(walk.Node(), walk.Path(), !owned.empty(), expanded);
        if (keyLine.isEmpty())
            continue;
        if (!put(keyLine))
            return false;
        for (const qsizetype index : owned) {
            if (!put(ValueLine(values.At(index))))
                return false;
        }
        if (!put(QStringView()))
            return false;
    }
    return put(QStringView());
}

QString RegWriter::Text(const RegNode* fileNode, const RegValueTable& values, bool expanded) {
    QString text;
    bool first = true;
    Lines(fileNode, values, expanded, [&](QStringView line) {
        if (!first)
            text += QLatin1Char('\n');
        first = false;
        text += line;
        return true;
    });
    return text;
}

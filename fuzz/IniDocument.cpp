#include "IniDocument.h"

#include "IniItem.h"
#include "IniReader.h"
#include "IniWriter.h"
#include "TextFile.h"

#include <functional>

IniDocument::IniDocument(unsigned answers)
    : root_(new IniItem(IniItem::Kind::File, QStringLiteral("F"), IniItem::kPrimary)), answers_(answers) {
    tree_.addTopLevelItem(root_);
}

void IniDocument::Open(const QByteArray& bytes) {
    Read(TextFile::Decode(bytes).text);
}

void IniDocument::Read(const QString& text) {
    Reader().ReadFile(IniReader::FileLines(text));
}

void IniDocument::Paste(const QString& clipboard, int selected) {
    const QList<QTreeWidgetItem*> nodes = Nodes();
    Reader().Paste(IniReader::PasteLines(clipboard), nodes.at(selected % nodes.size()));
}

QString IniDocument::Text() const {
    return IniWriter::Document(root_, u"\n");
}

QStringList IniDocument::Dump(bool byText) const {
    QStringList out;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* node, int depth) {
        for (int i = 0; i < node->childCount(); ++i) {
            const QTreeWidgetItem* child = node->child(i);
            IniItem::Kind kind = IniItem::KindOf(child);
            if (byText && kind != IniItem::Kind::Section)
                kind = IniItem::Text(child).startsWith(QLatin1Char(';')) ? IniItem::Kind::Comment : IniItem::Kind::Value;
            out << QString(depth, QLatin1Char(' ')) + IniItem::Tag(kind) + QLatin1Char(' ') + IniItem::Text(child);
            walk(child, depth + 1);
        }
    };
    walk(root_, 0);
    return out;
}

qsizetype IniDocument::WrittenLines() const {
    qsizetype count = 0;
    for (const QString& line : IniReader::FileLines(Text()))
        count += !line.isEmpty();
    return count;
}

IniReader IniDocument::Reader() {
    return IniReader(root_, [this] { return QString::number(keys_++); }, [this] { return Answer(); });
}

QList<QTreeWidgetItem*> IniDocument::Nodes() const {
    QList<QTreeWidgetItem*> nodes{root_};
    for (qsizetype i = 0; i < nodes.size(); ++i)
        for (int c = 0; c < nodes.at(i)->childCount(); ++c)
            nodes.append(nodes.at(i)->child(c));
    return nodes;
}

bool IniDocument::Answer() {
    const bool yes = answers_ & 1u;
    answers_ = answers_ >> 1 | (answers_ & 1u) << 31;
    return yes;
}

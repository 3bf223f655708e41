#include "IniDocument.h"

#include "IniReader.h"
#include "IniWriter.h"
#include "TextFile.h"

#include <functional>

using Kind = IniNode::Kind;

IniDocument::IniDocument(unsigned answers)
    : root_(Kind::File, QStringLiteral("F"), IniNode::kPrimary), answers_(answers) {}

void IniDocument::Open(const QByteArray& bytes) {
    Read(TextFile::Decode(bytes).text);
}

void IniDocument::Read(const QString& text) {
    Reader().ReadFile(IniReader::FileLines(text));
}

void IniDocument::Paste(const QString& clipboard, int selected) {
    const QList<IniNode*> nodes = Nodes();
    Reader().Paste(IniReader::PasteLines(clipboard), nodes.at(selected % nodes.size()));
}

QString IniDocument::Text() const {
    return IniWriter::Document(&root_, u"\n");
}

QStringList IniDocument::Dump(bool byText) const {
    QStringList out;
    std::function<void(const IniNode*, int)> walk = [&](const IniNode* node, int depth) {
        for (const IniNode* child : node->Children()) {
            Kind kind = IniNode::KindOf(child);
            if (byText && kind != Kind::Section)
                kind = child->Text().startsWith(QLatin1Char(';')) ? Kind::Comment : Kind::Value;
            out << QString(depth, QLatin1Char(' ')) + IniNode::Tag(kind) + QLatin1Char(' ') + child->Text();
            walk(child, depth + 1);
        }
    };
    walk(&root_, 0);
    return out;
}

qsizetype IniDocument::WrittenLines() const {
    qsizetype count = 0;
    for (const QString& line : IniReader::FileLines(Text()))
        count += !line.isEmpty();
    return count;
}

IniReader IniDocument::Reader() {
    return IniReader(&root_, [this] { return QString::number(keys_++); }, [this] { return Answer(); });
}

QList<IniNode*> IniDocument::Nodes() {
    QList<IniNode*> nodes{&root_};
    for (qsizetype i = 0; i < nodes.size(); ++i)
        nodes.append(nodes.at(i)->Children());
    return nodes;
}

bool IniDocument::Answer() {
    const bool yes = answers_ & 1u;
    answers_ = answers_ >> 1 | (answers_ & 1u) << 31;
    return yes;
}

#include "IniWriter.h"

#include "IniNode.h"

namespace {
void AppendLine(QString* text, const QString& line, QStringView lineEnd) {
    *text += line;
    *text += lineEnd;
}
} // namespace

QString IniWriter::Document(const IniNode* root, QStringView lineEnd) {
    QString text;
    for (const IniNode* child : root->Children()) {
        if (!IniNode::Is(child, IniNode::Kind::Section))
            AppendLine(&text, child->Text(), lineEnd);
    }
    for (const IniNode* child : root->Children()) {
        if (IniNode::Is(child, IniNode::Kind::Section)) {
            AppendSection(&text, child, lineEnd);
            text += lineEnd;
        }
    }
    return text;
}

QString IniWriter::Section(const IniNode* section, QStringView lineEnd) {
    QString text;
    AppendSection(&text, section, lineEnd);
    return text;
}

void IniWriter::AppendSection(QString* text, const IniNode* section, QStringView lineEnd) {
    *text += QLatin1Char('[');
    *text += section->Text();
    *text += QLatin1Char(']');
    *text += lineEnd;
    for (const IniNode* line : section->Children())
        AppendLine(text, line->Text(), lineEnd);
}

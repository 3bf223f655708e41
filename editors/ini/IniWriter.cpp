#include "IniWriter.h"

#include "IniItem.h"

namespace {
void AppendLine(QString* text, const QString& line, QStringView lineEnd) {
    *text += line;
    *text += lineEnd;
}
} // namespace

QString IniWriter::Document(const QTreeWidgetItem* root, QStringView lineEnd) {
    QString text;
    const int count = root->childCount();
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* child = root->child(i);
        if (!IniItem::Is(child, IniItem::Kind::Section))
            AppendLine(&text, IniItem::Text(child), lineEnd);
    }
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* child = root->child(i);
        if (IniItem::Is(child, IniItem::Kind::Section)) {
            AppendSection(&text, child, lineEnd);
            text += lineEnd;
        }
    }
    return text;
}

QString IniWriter::Section(const QTreeWidgetItem* section, QStringView lineEnd) {
    QString text;
    AppendSection(&text, section, lineEnd);
    return text;
}

void IniWriter::AppendSection(QString* text, const QTreeWidgetItem* section, QStringView lineEnd) {
    *text += QLatin1Char('[');
    *text += IniItem::Text(section);
    *text += QLatin1Char(']');
    *text += lineEnd;
    for (int i = 0; i < section->childCount(); ++i)
        AppendLine(text, IniItem::Text(section->child(i)), lineEnd);
}

// One node of the INI tree: the file (root), a section, a key line or a comment line. The kind is
// kept as its tag text, which all logic branches on; children sort by their text without regard
// to letter case, as the classic tree control sorted them.
#pragma once

#include <QString>
#include <QTreeWidgetItem>

class IniItem : public QTreeWidgetItem {
public:
    enum class Kind { File, Section, Value, Comment };

    // The node's tag ("OPENEDFILE", "SECTION", "VALUE" or "COMMENTS") and a section's key.
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int KeyRole = Qt::UserRole + 1;
    // The root's key.
    static inline const QString kPrimary = QStringLiteral("Primary");

    IniItem(Kind kind, const QString& text, const QString& key = QString());

    static QString Tag(Kind kind);
    static Kind KindOf(const QTreeWidgetItem* item);
    static bool Is(const QTreeWidgetItem* item, Kind kind) { return item && KindOf(item) == kind; }

    // The text before the first "=", or the whole text when it has none.
    static QString KeyName(const QString& line);

    // Letter case is ignored; equal texts keep their order, since every sort is stable.
    static bool Less(const QTreeWidgetItem* a, const QTreeWidgetItem* b);
    bool operator<(const QTreeWidgetItem& other) const override { return Less(this, &other); }
};

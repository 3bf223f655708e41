// One node of the INI tree: the file (root), a section, a key line or a comment line. The kind is
// shown as its tag text, which all logic branches on; children sort by their text without regard
// to letter case, as the classic tree control sorted them. The node keeps its text, kind and key
// itself rather than in the item's role table, so that loading and sorting large files stays fast.
#pragma once

#include <QString>
#include <QTreeWidgetItem>

class IniItem : public QTreeWidgetItem {
public:
    enum class Kind { File, Section, Value, Comment };

    // The node's tag ("OPENEDFILE", "SECTION", "VALUE" or "COMMENTS") and the key of the root
    // and of a section.
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int KeyRole = Qt::UserRole + 1;
    // The root's key.
    static inline const QString kPrimary = QStringLiteral("Primary");

    IniItem(Kind kind, const QString& text, const QString& key = QString());

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    static QString Tag(Kind kind);
    // Every node of the INI tree is an IniItem.
    static Kind KindOf(const QTreeWidgetItem* item) { return Of(item)->kind_; }
    static bool Is(const QTreeWidgetItem* item, Kind kind) { return item && KindOf(item) == kind; }
    static const QString& Text(const QTreeWidgetItem* item) { return Of(item)->text_; }

    // The text before the first "=", or the whole text when it has none.
    static QString KeyName(const QString& line);

    // Letter case is ignored; equal texts keep their order, since every sort is stable.
    static bool Less(const QTreeWidgetItem* a, const QTreeWidgetItem* b);
    bool operator<(const QTreeWidgetItem& other) const override { return Less(this, &other); }

private:
    static const IniItem* Of(const QTreeWidgetItem* item) { return static_cast<const IniItem*>(item); }

    Kind kind_;
    QString text_;
    QString key_;
};

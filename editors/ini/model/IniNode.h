// One node of an INI document: the file (root), a section, a key line or a comment line, and the
// nodes below it, which it owns. The kind is shown as its tag text, which all logic branches on;
// children sort by their text without regard to letter case, as the classic tree control sorted
// them. A node knows no view: a window shows it through items of its own.
#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class IniNode {
public:
    enum class Kind { File, Section, Value, Comment };
    // Nodes taken out of a document, for a view to let go of before they are deleted.
    using Taken = std::vector<std::unique_ptr<IniNode>>;

    // The root's key.
    static inline const QString kPrimary = QStringLiteral("Primary");

    IniNode(Kind kind, const QString& text, const QString& key = QString());
    // Leaves its parent; the nodes below it go with it.
    ~IniNode();
    IniNode(const IniNode&) = delete;
    IniNode& operator=(const IniNode&) = delete;

    // The tag ("OPENEDFILE", "SECTION", "VALUE" or "COMMENTS").
    static QString Tag(Kind kind);
    static Kind KindOf(const IniNode* node) { return node->kind_; }
    static bool Is(const IniNode* node, Kind kind) { return node && node->kind_ == kind; }

    const QString& Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; }
    // The key of the root and of a section; null for a line.
    const QString& Key() const { return key_; }
    IniNode* Parent() const { return parent_; }
    const QList<IniNode*>& Children() const { return children_; }

    // Appends the node, which must have no parent, and takes it over.
    void Add(IniNode* child);
    std::unique_ptr<IniNode> Take(IniNode* child);
    // Gives the node these children, in this order, as an undo finds them; a child that is not among
    // them any more is left without a parent, and whoever took it out keeps it.
    void SetChildren(const QList<IniNode*>& children);
    // Takes out the children that which picks, keeping the others in their order.
    Taken TakeIf(const std::function<bool(const IniNode*)>& which);
    // Letter case is ignored; equal texts keep their order.
    void SortChildren();

    // The text before the first "=", or the whole text when it has none.
    static QString KeyName(const QString& line);
    static bool Less(const IniNode* a, const IniNode* b);

private:
    Kind kind_;
    QString text_;
    QString key_;
    IniNode* parent_ = nullptr;
    QList<IniNode*> children_;
};

#include "IniNode.h"

#include <algorithm>

namespace {
const QString kTags[] = {QStringLiteral("OPENEDFILE"), QStringLiteral("SECTION"), QStringLiteral("VALUE"),
                         QStringLiteral("COMMENTS")};
} // namespace

IniNode::IniNode(Kind kind, const QString& text, const QString& key) : kind_(kind), text_(text), key_(key) {}

IniNode::~IniNode() {
    if (parent_)
        parent_->children_.removeOne(this);
    // The children need not leave this node one by one: it goes as a whole.
    for (IniNode* child : std::as_const(children_)) {
        child->parent_ = nullptr;
        delete child;
    }
}

QString IniNode::Tag(Kind kind) {
    return kTags[int(kind)];
}

void IniNode::Add(IniNode* child) {
    child->parent_ = this;
    children_.append(child);
}

std::unique_ptr<IniNode> IniNode::Take(IniNode* child) {
    children_.removeOne(child);
    child->parent_ = nullptr;
    return std::unique_ptr<IniNode>(child);
}

void IniNode::SetChildren(const QList<IniNode*>& children) {
    for (IniNode* child : std::as_const(children_))
        child->parent_ = nullptr;
    children_ = children;
    for (IniNode* child : std::as_const(children_))
        child->parent_ = this;
}

IniNode::Taken IniNode::TakeIf(const std::function<bool(const IniNode*)>& which) {
    Taken taken;
    const auto kept = std::stable_partition(children_.begin(), children_.end(),
                                            [&which](const IniNode* child) { return !which(child); });
    for (auto it = kept; it != children_.end(); ++it) {
        (*it)->parent_ = nullptr;
        taken.emplace_back(*it);
    }
    children_.erase(kept, children_.end());
    return taken;
}

void IniNode::SortChildren() {
    std::stable_sort(children_.begin(), children_.end(), Less);
}

QString IniNode::KeyName(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.left(equals);
}

bool IniNode::Less(const IniNode* a, const IniNode* b) {
    return a->text_.compare(b->text_, Qt::CaseInsensitive) < 0;
}

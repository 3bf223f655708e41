#include "RegFind.h"

#include "RegNodes.h"

#include <vector>

namespace {
// A key on the way down, with the next of its children to visit.
struct Frame {
    const RegNode* node;
    int next;
};

int IndexOf(const RegNode* parent, const RegNode* child) {
    for (int i = 0; i < parent->ChildCount(); ++i) {
        if (parent->Child(i) == child)
            return i;
    }
    return -1;
}
} // namespace

RegFind::RegFind(const RegValueTable& values, Options options) : values_(values), options_(std::move(options)) {}

bool RegFind::Matches(const QString& text) const {
    const Qt::CaseSensitivity sensitivity = options_.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return options_.wholeString ? text.compare(options_.text, sensitivity) == 0
                                : text.contains(options_.text, sensitivity);
}

std::optional<RegFind::Place> RegFind::InValues(RegNode* node, qsizetype after) const {
    if (!options_.values && !options_.data)
        return std::nullopt;
    // A key's values stand in the table in the order the list shows them.
    for (const qsizetype index : values_.Of(RegNodes::Id(node))) {
        const RegValueTable::Record& record = values_.At(index);
        if (index > after && ((options_.values && Matches(record.name)) || (options_.data && Matches(record.data))))
            return Place{node, index};
    }
    return std::nullopt;
}

std::optional<RegFind::Place> RegFind::After(const Place& from) const {
    if (options_.text.isEmpty() || !from.node)
        return std::nullopt;
    if (std::optional<Place> hit = InValues(from.node, from.value))
        return hit;
    // The way down to the place, each key going on after the child on that way: the walk costs
    // what it passes, however many children a key has.
    std::vector<Frame> way{{from.node, 0}};
    for (const RegNode* node = from.node; node->Parent(); node = node->Parent())
        way.push_back({node->Parent(), IndexOf(node->Parent(), node) + 1});
    std::vector<Frame> stack(way.rbegin(), way.rend());
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next >= top.node->ChildCount()) {
            stack.pop_back();
            continue;
        }
        RegNode* child = top.node->Child(top.next++);
        if (options_.keys && Matches(child->Text()))
            return Place{child, -1};
        if (std::optional<Place> hit = InValues(child, -1))
            return hit;
        stack.push_back({child, 0});
    }
    return std::nullopt;
}

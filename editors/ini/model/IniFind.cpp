#include "IniFind.h"

#include <vector>

namespace {
// A node on the way down, with the next of its children to visit.
struct Frame {
    const IniNode* node;
    qsizetype next;
};
} // namespace

bool IniFind::Matches(QStringView text) const {
    const Qt::CaseSensitivity sensitivity = options_.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return options_.wholeString ? text.compare(options_.text, sensitivity) == 0
                                : text.contains(options_.text, sensitivity);
}

bool IniFind::Matches(const IniNode* node) const {
    const QString& text = node->Text();
    switch (IniNode::KindOf(node)) {
    case IniNode::Kind::Section:
        return options_.sections && Matches(text);
    case IniNode::Kind::Comment:
        return options_.comments && Matches(text);
    case IniNode::Kind::Value:
        break;
    case IniNode::Kind::File:
        return false;
    }
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    const QStringView key = equals < 0 ? QStringView(text) : QStringView(text).first(equals);
    const QStringView value = equals < 0 ? QStringView() : QStringView(text).sliced(equals + 1);
    return (options_.keys && Matches(key)) || (options_.values && equals >= 0 && Matches(value)) ||
           (options_.keys && options_.values && Matches(text));
}

IniNode* IniFind::After(const IniNode* from) const {
    if (options_.text.isEmpty() || !from)
        return nullptr;
    // The way down to the node, each going on after the child on that way: the walk costs what it
    // passes, however many children a node has.
    std::vector<Frame> way{{from, 0}};
    for (const IniNode* node = from; node->Parent(); node = node->Parent())
        way.push_back({node->Parent(), node->Parent()->Children().indexOf(node) + 1});
    std::vector<Frame> stack(way.rbegin(), way.rend());
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next >= top.node->Children().size()) {
            stack.pop_back();
            continue;
        }
        IniNode* child = top.node->Children().at(top.next++);
        if (Matches(child))
            return child;
        stack.push_back({child, 0});
    }
    return nullptr;
}

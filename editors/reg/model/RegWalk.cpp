#include "RegWalk.h"

RegWalk::RegWalk(const RegNode* top) : way_{{top, 0, 0}} {}

bool RegWalk::Next() {
    while (!way_.empty()) {
        Step& step = way_.back();
        if (step.next >= step.node->ChildCount()) {
            way_.pop_back();
            continue;
        }
        const RegNode* child = step.node->Child(step.next++);
        path_.truncate(step.length);
        if (way_.size() > 1)
            path_ += QLatin1Char('\\');
        path_ += child->Text();
        way_.push_back({child, 0, path_.size()});
        return true;
    }
    return false;
}

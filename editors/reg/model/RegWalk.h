// The nodes below a top node in tree order (depth first, a node before its children, children in
// their order), each with its path: the texts below the top joined by "\". Each path grows from
// its parent's as the walk goes down, and nothing calls itself per level, so a key ten thousand
// levels deep costs what its own path costs.
#pragma once

#include "RegNode.h"

#include <QString>
#include <QStringView>

#include <vector>

class RegWalk {
public:
    explicit RegWalk(const RegNode* top);

    // Moves to the next node; false once every node has been passed.
    bool Next();
    const RegNode* Node() const { return way_.back().node; }
    // Valid until the next step.
    QStringView Path() const { return path_; }

private:
    // A node on the way down from the top, with the next of its children to visit and the length
    // of the path down to it.
    struct Step {
        const RegNode* node;
        int next;
        qsizetype length;
    };

    std::vector<Step> way_;
    QString path_;
};

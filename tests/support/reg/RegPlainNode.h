// A registry tree without a view: each node owns its children.
#pragma once

#include "RegNode.h"

#include <memory>
#include <vector>

class RegPlainNode : public RegNode {
public:
    explicit RegPlainNode(QString text, RegPlainNode* parent = nullptr)
        : text_(std::move(text)), parent_(parent) {}

    QString Text() const override { return text_; }
    RegNode* Parent() const override { return parent_; }
    int ChildCount() const override { return int(children_.size()); }
    RegNode* Child(int index) const override { return children_[size_t(index)].get(); }

protected:
    RegNode* AppendChild(const QString& text) override {
        return children_.emplace_back(std::make_unique<RegPlainNode>(text, this)).get();
    }

private:
    QString text_;
    RegPlainNode* parent_;
    std::vector<std::unique_ptr<RegPlainNode>> children_;
};

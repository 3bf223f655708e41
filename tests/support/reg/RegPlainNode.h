// A registry tree without a view: each node owns its children.
#pragma once

#include "RegNode.h"

#include <memory>
#include <vector>

class RegPlainNode : public RegNode {
public:
    explicit RegPlainNode(QString text, RegPlainNode* parent = nullptr)
        : text_(std::move(text)), parent_(parent) {}
    // The nodes below go one at a time: a destructor per level would run out of stack on a deep key.
    ~RegPlainNode() override {
        std::vector<std::unique_ptr<RegPlainNode>> below = std::move(children_);
        while (!below.empty()) {
            std::unique_ptr<RegPlainNode> node = std::move(below.back());
            below.pop_back();
            for (std::unique_ptr<RegPlainNode>& child : node->children_)
                below.push_back(std::move(child));
            node->children_.clear();
        }
    }
    RegPlainNode(const RegPlainNode&) = delete;
    RegPlainNode& operator=(const RegPlainNode&) = delete;

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

// One step of a document's undo history. The editor has made the change already when it pushes the
// step, so the stack's first redo does nothing; undo and redo then put the document in the state
// before and after it. Whatever the two functions hold (taken-out nodes, old records) lives as long
// as the step.
#pragma once

#include <QUndoCommand>

#include <functional>

class UndoStep : public QUndoCommand {
public:
    UndoStep(std::function<void()> undo, std::function<void()> redo);

    void undo() override;
    void redo() override;

private:
    std::function<void()> undo_;
    std::function<void()> redo_;
    bool done_ = true;
};

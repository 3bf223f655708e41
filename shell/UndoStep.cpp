#include "UndoStep.h"

UndoStep::UndoStep(std::function<void()> undo, std::function<void()> redo)
    : undo_(std::move(undo)), redo_(std::move(redo)) {}

void UndoStep::undo() {
    undo_();
}

void UndoStep::redo() {
    // The push itself: the change is in the document already.
    if (done_) {
        done_ = false;
        return;
    }
    redo_();
}

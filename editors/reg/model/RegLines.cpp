#include "RegLines.h"

bool RegLines::Next(QStringView* line) {
    while (position_ >= text_.size()) {
        if (!pieces_ || !pieces_(&piece_))
            return false;
        text_ = piece_;
        position_ = 0;
    }
    qsizetype end = text_.indexOf(u'\n', position_);
    if (end < 0)
        end = text_.size();
    *line = text_.mid(position_, end - position_);
    position_ = end + 1;
    ++taken_;
    return true;
}

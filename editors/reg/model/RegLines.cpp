#include "RegLines.h"

bool RegLines::Next(QStringView* line) {
    if (position_ >= text_.size())
        return false;
    qsizetype end = text_.indexOf(u'\n', position_);
    if (end < 0)
        end = text_.size();
    *line = text_.mid(position_, end - position_);
    position_ = end + 1;
    ++taken_;
    return true;
}

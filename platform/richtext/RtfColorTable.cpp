#include "RtfColorTable.h"

#include <algorithm>

void RtfColorTable::End() {
    colors_.push_back(set_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    set_ = false;
}

QColor RtfColorTable::Color(int index) const {
    return index > 0 && size_t(index) < colors_.size() ? colors_[size_t(index)] : QColor();
}

void RtfColorTable::Set(int& component, int value) {
    component = std::clamp(value, 0, 255);
    set_ = true;
}

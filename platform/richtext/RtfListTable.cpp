#include "RtfListTable.h"

#include <algorithm>

namespace {

// A list has nine levels at most.
constexpr size_t kMaxLevels = 9;

// \levelnfcN: 0 decimal, 1 and 2 upper and lower roman, 3 and 4 upper and lower letters,
// 23 a bullet; the many national numberings show as decimal.
QTextListFormat::Style StyleOfNumbering(int numbering, int level) {
    switch (numbering) {
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return RtfListTable::BulletOfLevel(level);
    default:
        return QTextListFormat::ListDecimal;
    }
}

} // namespace

QTextListFormat::Style RtfListTable::BulletOfLevel(int level) {
    constexpr QTextListFormat::Style kBullets[] = {QTextListFormat::ListDisc, QTextListFormat::ListCircle,
                                                   QTextListFormat::ListSquare};
    return kBullets[level % 3];
}

// The id of a list may come before or after its levels.
void RtfListTable::BeginList() {
    levels_.clear();
    listId_ = 0;
}

void RtfListTable::BeginLevel() {
    if (levels_.size() >= kMaxLevels)
        return;
    levels_.push_back(QTextListFormat::ListDecimal);
    FileList();
}

void RtfListTable::SetLevelNumbering(int numbering) {
    if (levels_.empty())
        return;
    levels_.back() = StyleOfNumbering(numbering, int(levels_.size()) - 1);
    FileList();
}

void RtfListTable::SetListId(int id) {
    listId_ = id;
    FileList();
}

void RtfListTable::FileList() {
    if (listId_ != 0)
        lists_[listId_] = levels_;
}

void RtfListTable::BeginOverride() {
    overrideListId_ = 0;
    overrideNumber_ = 0;
}

void RtfListTable::SetOverrideListId(int id) {
    overrideListId_ = id;
    FileOverride();
}

void RtfListTable::SetOverrideNumber(int number) {
    overrideNumber_ = number;
    FileOverride();
}

void RtfListTable::FileOverride() {
    if (overrideListId_ != 0 && overrideNumber_ != 0)
        overrides_[overrideNumber_] = overrideListId_;
}

QTextListFormat::Style RtfListTable::Style(int override, int level) const {
    const auto list = overrides_.find(override);
    if (list == overrides_.end())
        return QTextListFormat::ListStyleUndefined;
    const auto levels = lists_.find(list->second);
    if (levels == lists_.end() || levels->second.empty())
        return QTextListFormat::ListStyleUndefined;
    return levels->second[std::min<size_t>(size_t(std::max(level, 0)), levels->second.size() - 1)];
}

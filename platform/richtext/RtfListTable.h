// The lists of a document in the newer form: the list table gives each list's levels a numbering
// style, and the list override table maps the \lsN of paragraphs to a list.
#pragma once

#include <QTextListFormat>

#include <unordered_map>
#include <vector>

class RtfListTable {
public:
    // \list, \listlevel, \levelnfcN and \listidN inside the list table.
    void BeginList();
    void BeginLevel();
    void SetLevelNumbering(int numbering);
    void SetListId(int id);

    // \listoverride, \listidN and \lsN inside the list override table.
    void BeginOverride();
    void SetOverrideListId(int id);
    void SetOverrideNumber(int number);

    // ListStyleUndefined when the tables do not know the override.
    QTextListFormat::Style Style(int override, int level) const;

    // Bullets change shape with the level, as they do in the toolkit's own nested lists.
    static QTextListFormat::Style BulletOfLevel(int level);

private:
    void FileList();
    void FileOverride();

    std::unordered_map<int, std::vector<QTextListFormat::Style>> lists_;
    std::vector<QTextListFormat::Style> levels_;
    int listId_ = 0;
    std::unordered_map<int, int> overrides_;
    int overrideListId_ = 0;
    int overrideNumber_ = 0;
};

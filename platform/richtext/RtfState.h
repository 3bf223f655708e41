// What a group of a rich-text document carries: where its text goes and the character and
// paragraph properties in force. A group starts with a copy of its parent's and drops it at its end.
#pragma once

#include <QFont>
#include <QTextListFormat>
#include <QTextOption>

#include <vector>

struct RtfCharState {
    enum class Script : quint8 { Normal, Super, Sub };

    int font = -1; // number in the font table
    int halfPoints = 24;
    int foreground = 0; // colour table entries; 0 is "auto"
    int background = 0;
    Script script = Script::Normal;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    QFont::Capitalization capitals = QFont::MixedCase;

    bool operator==(const RtfCharState&) const = default;
};

// A paragraph's list in the older form: a {\pn} group in the paragraph.
struct RtfPnState {
    enum class Kind : quint8 { None, Bullet, Numbered };

    Kind kind = Kind::None;
    QTextListFormat::Style numbering = QTextListFormat::ListDecimal;
    int level = -1; // \pnlvlN outline level less one; -1: the level follows the indent
};

// A tab stop as the document gives it: from the left margin, in twips.
struct RtfTabStop {
    int position = 0;
    QTextOption::TabType type = QTextOption::LeftTab;
};

struct RtfParagraphState {
    // Word's own limit; more would only cost time.
    static constexpr std::size_t kMaxTabs = 64;

    Qt::Alignment alignment = Qt::AlignLeft;
    // In twips.
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    // A paragraph's list in the newer form: an entry of the list override table and a level.
    int listOverride = 0;
    int listLevel = 0;
    RtfPnState pn;
    // 0 outside a table; 1 in a table, 2 in a table nested in one, ...
    int tableDepth = 0;
    std::vector<RtfTabStop> tabs;
    // The kind of the next tab stop: \tqr, \tqc and \tqdec come before the \tx they qualify.
    QTextOption::TabType nextTab = QTextOption::LeftTab;
};

struct RtfGroupState {
    enum class Destination : quint8 {
        Text,       // document text
        ListMarker, // a list item's number or bullet as text, shown only outside a list
        Skip,       // nothing of it shows
        Wrapper,    // only a Shown destination inside it shows
        FontTable,
        ColorTable,
        Picture,
        Pn,
        ListTable,
        ListOverrideTable,
    };

    Destination destination = Destination::Text;
    bool starred = false;   // after \*: an unknown destination is skipped
    bool nestedRow = false; // row properties here are those of a nested table
    bool note = false;      // inside a header, footer or footnote
    int unicodeSkip = 1;    // \ucN: fallback characters after each \uN
    RtfCharState chars;
    RtfParagraphState paragraph;
};

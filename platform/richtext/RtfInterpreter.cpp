#include "RtfInterpreter.h"

#include "RtfDocumentBuilder.h"
#include "RtfTextProperties.h"
#include "RtfUnits.h"

#include <QFont>
#include <algorithm>

namespace {

// Deeper groups are counted, not kept: no writer nests this deep.
constexpr int kMaxDepth = 1024;
constexpr int kMaxFallback = 16;
// Twenty-two inches, the largest length a paragraph property may take.
constexpr int kMaxTwips = 31680;
constexpr int kMaxHalfPoints = 3276;
// Tables nested deeper are read as part of the one around them.
constexpr int kMaxTableDepth = 16;
// The format of the notes' text, which no run of the body has.
constexpr int kNoteFormatId = -2;

bool IsOn(const RtfToken& token) {
    return !token.hasParameter || token.parameter != 0;
}

int Twips(int value) {
    return std::clamp(value, -kMaxTwips, kMaxTwips);
}

bool IsAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Unpaired surrogate halves, possible with broken \u pairs, become replacement characters.
void RepairSurrogates(QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

bool IsDestination(RtfKeyword keyword) {
    switch (keyword) {
    case RtfKeyword::Skipped:
    case RtfKeyword::Shown:
    case RtfKeyword::Note:
    case RtfKeyword::Wrapper:
    case RtfKeyword::fonttbl:
    case RtfKeyword::colortbl:
    case RtfKeyword::pict:
    case RtfKeyword::pntext:
    case RtfKeyword::listtext:
    case RtfKeyword::pn:
    case RtfKeyword::listtable:
    case RtfKeyword::listoverridetable:
    case RtfKeyword::nesttableprops:
        return true;
    default:
        return false;
    }
}

} // namespace

RtfInterpreter::RtfInterpreter(RtfDocumentBuilder& builder)
    : builder_(builder), stack_(1), fonts_(codePages_) {}

void RtfInterpreter::Run(QByteArrayView bytes, const std::function<void(qsizetype)>& progress) {
    // Often enough for a bar, rarely enough to cost nothing.
    constexpr unsigned kTokensPerReport = 4096;
    RtfTokenizer tokenizer(bytes);
    unsigned count = 0;
    for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::End && OnToken(token);
         token = tokenizer.Next()) {
        if (progress && ++count % kTokensPerReport == 0)
            progress(tokenizer.Position());
    }
    FlushText();
    AddNotes();
    builder_.SetPage(page_, RtfUnits::PixelsOfTwips(defaultTab_));
}

bool RtfInterpreter::OnToken(const RtfToken& token) {
    switch (token.kind) {
    case RtfToken::GroupOpen:
        OpenGroup();
        return true;
    case RtfToken::GroupClose:
        return CloseGroup();
    case RtfToken::Word:
        OnWord(token);
        return true;
    case RtfToken::Symbol:
        OnSymbol(token.symbol);
        return true;
    case RtfToken::Hex:
        OnHex(token.symbol);
        return true;
    case RtfToken::Text:
        OnText(token.name);
        return true;
    case RtfToken::Binary:
        if (!SkipFallback() && State().destination == Destination::Picture)
            picture_.AddBinary(token.name);
        return true;
    case RtfToken::End:
        break;
    }
    return false;
}

// The document's own group is the first on the stack, below it a base state for text before it.
void RtfInterpreter::OpenGroup() {
    fallback_ = 0;
    if (stack_.size() > kMaxDepth) {
        ++excessDepth_;
        return;
    }
    stack_.push_back(State());
    State().starred = false;
}

bool RtfInterpreter::CloseGroup() {
    fallback_ = 0;
    if (excessDepth_ > 0) {
        --excessDepth_;
        return true;
    }
    FlushText();
    if (stack_.size() <= 2)
        return false;
    const RtfGroupState closed = State();
    stack_.pop_back();
    CloseDestination(closed);
    return true;
}

void RtfInterpreter::CloseDestination(const RtfGroupState& closed) {
    const Destination outer = State().destination;
    if (closed.destination == outer)
        return;
    switch (closed.destination) {
    case Destination::FontTable:
        fonts_.End();
        formatId_ = -1;
        codePageFont_ = kNoFont;
        break;
    case Destination::ColorTable:
        formatId_ = -1;
        break;
    case Destination::Pn:
        State().paragraph.pn = closed.paragraph.pn;
        break;
    case Destination::ListMarker:
        builder_.EndMarker();
        break;
    case Destination::Picture:
        if (outer == Destination::Text) {
            const QImage image = picture_.Image();
            if (!image.isNull())
                builder_.AddImage(image, picture_.DisplaySize(image));
        }
        break;
    default:
        break;
    }
}

void RtfInterpreter::OnWord(const RtfToken& token) {
    RtfGroupState& state = State();
    if (state.destination == Destination::Skip || SkipFallback())
        return;
    const RtfWord word = RtfKeywords::Find(token.name);
    const RtfKeyword keyword = word.keyword;
    if (state.starred) {
        state.starred = false;
        if (!IsDestination(keyword)) {
            state.destination = Destination::Skip;
            return;
        }
    }
    if (state.destination == Destination::Wrapper && keyword != RtfKeyword::Shown)
        return;
    // Words that only add text leave the text pending, so that the halves of a surrogate pair
    // meet.
    if (OnCharacterWord(word, token))
        return;
    FlushText();
    const int value = token.parameter;
    OnDestinationWord(keyword) || OnTableWord(keyword, value) || OnFormatWord(keyword, token) ||
        OnParagraphWord(keyword, value) || OnListWord(keyword, value) ||
        OnTableStructureWord(keyword, value) || OnRowWord(keyword, value) || OnCellWord(keyword, value) ||
        OnPageWord(keyword, value) || OnDefaultTabWord(keyword, value) || OnPictureWord(keyword, value);
}

bool RtfInterpreter::OnDestinationWord(RtfKeyword keyword) {
    RtfGroupState& state = State();
    switch (keyword) {
    case RtfKeyword::Skipped:
        state.destination = Destination::Skip;
        return true;
    case RtfKeyword::Shown:
        if (state.destination == Destination::Wrapper)
            state.destination = Destination::Text;
        return true;
    case RtfKeyword::Note:
        if (state.destination == Destination::Text && !state.note) {
            FlushText();
            state.note = true;
            notes_.append(QString());
        }
        return true;
    case RtfKeyword::Wrapper:
        state.destination = Destination::Wrapper;
        return true;
    case RtfKeyword::fonttbl:
        state.destination = Destination::FontTable;
        return true;
    case RtfKeyword::colortbl:
        state.destination = Destination::ColorTable;
        colors_.Clear();
        return true;
    case RtfKeyword::pict:
        state.destination = Destination::Picture;
        picture_.Begin();
        return true;
    case RtfKeyword::pntext:
    case RtfKeyword::listtext:
        if (state.destination == Destination::Text) {
            state.destination = Destination::ListMarker;
            builder_.BeginMarker();
        }
        return true;
    case RtfKeyword::pn:
        state.destination = Destination::Pn;
        state.paragraph.pn = RtfPnState();
        return true;
    case RtfKeyword::listtable:
        state.destination = Destination::ListTable;
        return true;
    case RtfKeyword::listoverridetable:
        state.destination = Destination::ListOverrideTable;
        return true;
    case RtfKeyword::nesttableprops:
        state.nestedRow = true;
        return true;
    default:
        return false;
    }
}

// Words whose meaning depends on the table they are in.
bool RtfInterpreter::OnTableWord(RtfKeyword keyword, int value) {
    switch (State().destination) {
    case Destination::FontTable:
        if (keyword == RtfKeyword::f) {
            fonts_.End();
            fonts_.Begin(value, documentCodePage_);
        } else if (keyword == RtfKeyword::fcharset) {
            fonts_.SetCharset(value);
        } else if (keyword == RtfKeyword::cpg) {
            fonts_.SetCodePage(value);
        }
        return true;
    case Destination::ColorTable:
        if (keyword == RtfKeyword::red)
            colors_.SetRed(value);
        else if (keyword == RtfKeyword::green)
            colors_.SetGreen(value);
        else if (keyword == RtfKeyword::blue)
            colors_.SetBlue(value);
        return true;
    case Destination::ListTable:
        if (keyword == RtfKeyword::list)
            lists_.BeginList();
        else if (keyword == RtfKeyword::listlevel)
            lists_.BeginLevel();
        else if (keyword == RtfKeyword::levelnfc)
            lists_.SetLevelNumbering(value);
        else if (keyword == RtfKeyword::listid)
            lists_.SetListId(value);
        return true;
    case Destination::ListOverrideTable:
        if (keyword == RtfKeyword::listoverride)
            lists_.BeginOverride();
        else if (keyword == RtfKeyword::listid)
            lists_.SetOverrideListId(value);
        else if (keyword == RtfKeyword::ls)
            lists_.SetOverrideNumber(value);
        return true;
    default:
        return false;
    }
}

// The code pages, \uN and the words that stand for a character.
bool RtfInterpreter::OnCharacterWord(const RtfWord& word, const RtfToken& token) {
    const int value = token.parameter;
    switch (word.keyword) {
    case RtfKeyword::ansi:
        documentCodePage_ = RtfCodePages::kAnsi;
        return true;
    case RtfKeyword::mac:
        documentCodePage_ = RtfCodePages::kMac;
        return true;
    case RtfKeyword::pc:
        documentCodePage_ = RtfCodePages::kPc;
        return true;
    case RtfKeyword::pca:
        documentCodePage_ = RtfCodePages::kPca;
        return true;
    case RtfKeyword::ansicpg:
        if (value > 0)
            documentCodePage_ = value;
        return true;
    case RtfKeyword::uc:
        State().unicodeSkip = std::clamp(value, 0, kMaxFallback);
        return true;
    case RtfKeyword::u:
        AddUnicode(value);
        fallback_ = State().unicodeSkip;
        return true;
    case RtfKeyword::chftn:
        // In the footnote itself the mark repeats the number of its reference.
        if (InBody())
            for (QChar digit : QString::number(State().note ? footnotes_ : ++footnotes_))
                AddCharacter(digit.unicode());
        return true;
    case RtfKeyword::Character:
        AddCharacter(word.character);
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnFormatWord(RtfKeyword keyword, const RtfToken& token) {
    RtfCharState& chars = State().chars;
    const int value = token.parameter;
    switch (keyword) {
    case RtfKeyword::deff:
        defaultFont_ = value;
        chars.font = value;
        return true;
    case RtfKeyword::plain:
        chars = RtfCharState();
        chars.font = defaultFont_;
        return true;
    case RtfKeyword::f:
        chars.font = value;
        return true;
    case RtfKeyword::fs:
        chars.halfPoints = token.hasParameter ? std::clamp(value, 2, kMaxHalfPoints) : 24;
        return true;
    case RtfKeyword::b:
        chars.bold = IsOn(token);
        return true;
    case RtfKeyword::i:
        chars.italic = IsOn(token);
        return true;
    case RtfKeyword::ul:
        chars.underline = IsOn(token);
        return true;
    case RtfKeyword::ulnone:
        chars.underline = false;
        return true;
    case RtfKeyword::strike:
        chars.strike = IsOn(token);
        return true;
    case RtfKeyword::cf:
        chars.foreground = value;
        return true;
    case RtfKeyword::cb:
    case RtfKeyword::highlight:
        chars.background = value;
        return true;
    case RtfKeyword::super:
        chars.script = RtfCharState::Script::Super;
        return true;
    case RtfKeyword::sub:
        chars.script = RtfCharState::Script::Sub;
        return true;
    case RtfKeyword::nosupersub:
        chars.script = RtfCharState::Script::Normal;
        return true;
    case RtfKeyword::v:
        chars.hidden = IsOn(token);
        return true;
    case RtfKeyword::caps:
        chars.capitals = IsOn(token) ? QFont::AllUppercase : QFont::MixedCase;
        return true;
    case RtfKeyword::scaps:
        chars.capitals = IsOn(token) ? QFont::SmallCaps : QFont::MixedCase;
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnParagraphWord(RtfKeyword keyword, int value) {
    RtfParagraphState& paragraph = State().paragraph;
    switch (keyword) {
    case RtfKeyword::par:
    case RtfKeyword::sect:
        EndParagraph();
        return true;
    case RtfKeyword::pard:
        paragraph = RtfParagraphState();
        return true;
    case RtfKeyword::ql:
        paragraph.alignment = Qt::AlignLeft;
        return true;
    case RtfKeyword::qc:
        paragraph.alignment = Qt::AlignHCenter;
        return true;
    case RtfKeyword::qr:
        paragraph.alignment = Qt::AlignRight;
        return true;
    case RtfKeyword::qj:
        paragraph.alignment = Qt::AlignJustify;
        return true;
    case RtfKeyword::li:
        paragraph.left = Twips(value);
        return true;
    case RtfKeyword::ri:
        paragraph.right = Twips(value);
        return true;
    case RtfKeyword::fi:
        paragraph.first = Twips(value);
        return true;
    case RtfKeyword::sb:
        paragraph.before = Twips(value);
        return true;
    case RtfKeyword::sa:
        paragraph.after = Twips(value);
        return true;
    case RtfKeyword::tqr:
        paragraph.nextTab = QTextOption::RightTab;
        return true;
    case RtfKeyword::tqc:
        paragraph.nextTab = QTextOption::CenterTab;
        return true;
    case RtfKeyword::tqdec:
        paragraph.nextTab = QTextOption::DelimiterTab;
        return true;
    case RtfKeyword::tx:
        if (paragraph.tabs.size() < RtfParagraphState::kMaxTabs)
            paragraph.tabs.push_back(RtfTabStop{Twips(value), paragraph.nextTab});
        paragraph.nextTab = QTextOption::LeftTab;
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnListWord(RtfKeyword keyword, int value) {
    RtfParagraphState& paragraph = State().paragraph;
    RtfPnState& pn = paragraph.pn;
    switch (keyword) {
    case RtfKeyword::ls:
        paragraph.listOverride = std::max(value, 0);
        return true;
    case RtfKeyword::ilvl:
        paragraph.listLevel = std::clamp(value, 0, 8);
        return true;
    case RtfKeyword::pnlvlblt:
        pn.kind = RtfPnState::Kind::Bullet;
        return true;
    case RtfKeyword::pnlvlbody:
        pn.kind = RtfPnState::Kind::Numbered;
        return true;
    case RtfKeyword::pnlvl:
        pn.kind = RtfPnState::Kind::Numbered;
        pn.level = std::clamp(value - 1, 0, 8);
        return true;
    case RtfKeyword::pnlvlcont:
        pn.kind = RtfPnState::Kind::None;
        return true;
    case RtfKeyword::pndec:
        pn.numbering = QTextListFormat::ListDecimal;
        return true;
    case RtfKeyword::pnucltr:
        pn.numbering = QTextListFormat::ListUpperAlpha;
        return true;
    case RtfKeyword::pnlcltr:
        pn.numbering = QTextListFormat::ListLowerAlpha;
        return true;
    case RtfKeyword::pnucrm:
        pn.numbering = QTextListFormat::ListUpperRoman;
        return true;
    case RtfKeyword::pnlcrm:
        pn.numbering = QTextListFormat::ListLowerRoman;
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnTableStructureWord(RtfKeyword keyword, int value) {
    RtfParagraphState& paragraph = State().paragraph;
    switch (keyword) {
    case RtfKeyword::intbl:
        paragraph.tableDepth = std::max(paragraph.tableDepth, 1);
        return true;
    case RtfKeyword::itap:
        paragraph.tableDepth = std::clamp(value, 0, kMaxTableDepth);
        return true;
    case RtfKeyword::cell:
    case RtfKeyword::nestcell:
        EndCell();
        return true;
    case RtfKeyword::row:
        EndRow(1);
        return true;
    case RtfKeyword::nestrow:
        EndRow(std::max(paragraph.tableDepth, 2));
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnRowWord(RtfKeyword keyword, int value) {
    switch (keyword) {
    case RtfKeyword::trowd:
        Row() = RtfTableRow();
        cell_ = RtfTableCell();
        cellBorders_ = 0;
        return true;
    case RtfKeyword::trleft:
        Row().indent = RtfUnits::PixelsOfTwips(Twips(value));
        return true;
    case RtfKeyword::trgaph:
        Row().padding = RtfUnits::PixelsOfTwips(std::clamp(value, 0, kMaxTwips));
        return true;
    case RtfKeyword::trql:
        Row().alignment = Qt::AlignLeft;
        return true;
    case RtfKeyword::trqc:
        Row().alignment = Qt::AlignHCenter;
        return true;
    case RtfKeyword::trqr:
        Row().alignment = Qt::AlignRight;
        return true;
    default:
        return false;
    }
}

// A cell's properties come before the \cellx that ends its definition.
bool RtfInterpreter::OnCellWord(RtfKeyword keyword, int value) {
    switch (keyword) {
    case RtfKeyword::cellx:
        cell_.right = RtfUnits::PixelsOfTwips(Twips(value));
        cell_.bordered = cellBorders_ > 0;
        if (Row().cells.size() < std::size_t(RtfTableRow::kMaxCells))
            Row().cells.push_back(cell_);
        cell_ = RtfTableCell();
        cellBorders_ = 0;
        return true;
    case RtfKeyword::clmrg:
        cell_.mergedLeft = true;
        return true;
    case RtfKeyword::clvmrg:
        cell_.mergedUp = true;
        return true;
    case RtfKeyword::clmgf:
    case RtfKeyword::clvmgf:
        return true;
    case RtfKeyword::clvertalt:
        cell_.vertical = QTextCharFormat::AlignTop;
        return true;
    case RtfKeyword::clvertalc:
        cell_.vertical = QTextCharFormat::AlignMiddle;
        return true;
    case RtfKeyword::clvertalb:
        cell_.vertical = QTextCharFormat::AlignBottom;
        return true;
    case RtfKeyword::clcbpat:
        cell_.background = colors_.Color(value);
        return true;
    case RtfKeyword::clbrdrt:
    case RtfKeyword::clbrdrl:
    case RtfKeyword::clbrdrb:
    case RtfKeyword::clbrdrr:
        ++cellBorders_;
        return true;
    case RtfKeyword::brdrnone:
    case RtfKeyword::brdrnil:
        cellBorders_ = std::max(cellBorders_ - 1, 0);
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::OnPageWord(RtfKeyword keyword, int value) {
    int* length = nullptr;
    switch (keyword) {
    case RtfKeyword::paperw:
        length = &page_.width;
        break;
    case RtfKeyword::paperh:
        length = &page_.height;
        break;
    case RtfKeyword::margl:
        length = &page_.left;
        break;
    case RtfKeyword::margr:
        length = &page_.right;
        break;
    case RtfKeyword::margt:
        length = &page_.top;
        break;
    case RtfKeyword::margb:
        length = &page_.bottom;
        break;
    default:
        return false;
    }
    *length = std::clamp(value, 0, kMaxTwips);
    page_.given = true;
    return true;
}

bool RtfInterpreter::OnDefaultTabWord(RtfKeyword keyword, int value) {
    if (keyword != RtfKeyword::deftab)
        return false;
    if (value > 0)
        defaultTab_ = std::min(value, kMaxTwips);
    return true;
}

bool RtfInterpreter::OnPictureWord(RtfKeyword keyword, int value) {
    switch (keyword) {
    case RtfKeyword::pngblip:
    case RtfKeyword::jpegblip:
        picture_.SetShown();
        return true;
    case RtfKeyword::picw:
        picture_.SetWidth(value);
        return true;
    case RtfKeyword::pich:
        picture_.SetHeight(value);
        return true;
    case RtfKeyword::picwgoal:
        picture_.SetGoalWidth(value);
        return true;
    case RtfKeyword::pichgoal:
        picture_.SetGoalHeight(value);
        return true;
    case RtfKeyword::picscalex:
        picture_.SetScaleX(value);
        return true;
    case RtfKeyword::picscaley:
        picture_.SetScaleY(value);
        return true;
    default:
        return false;
    }
}

void RtfInterpreter::OnSymbol(char symbol) {
    if (symbol == '*') {
        State().starred = true;
        return;
    }
    if (State().destination == Destination::Skip || SkipFallback())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        OnText(QByteArrayView(&symbol, 1));
        break;
    case '~':
        AddCharacter(u'\u00A0');
        break;
    case '_':
        AddCharacter(u'\u2011');
        break;
    case '-':
        AddCharacter(u'\u00AD');
        break;
    case '\n':
        EndParagraph();
        break;
    default:
        break;
    }
}

void RtfInterpreter::OnText(QByteArrayView bytes) {
    while (fallback_ > 0 && !bytes.isEmpty()) {
        bytes = bytes.sliced(1);
        --fallback_;
    }
    switch (State().destination) {
    case Destination::Text:
    case Destination::ListMarker:
        AddBodyBytes(bytes);
        break;
    case Destination::FontTable:
    case Destination::ColorTable:
        OnTableText(bytes);
        break;
    case Destination::Picture:
        picture_.AddHex(bytes);
        break;
    default:
        break;
    }
}

void RtfInterpreter::OnHex(char byte) {
    if (SkipFallback())
        return;
    const QByteArrayView bytes(&byte, 1);
    if (State().destination == Destination::FontTable)
        fonts_.AddNameBytes(bytes);
    else
        AddBodyBytes(bytes);
}

// In the font and colour tables ";" ends an entry.
void RtfInterpreter::OnTableText(QByteArrayView bytes) {
    const bool fonts = State().destination == Destination::FontTable;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf(';');
        if (fonts)
            fonts_.AddNameBytes(end < 0 ? bytes : bytes.first(end));
        if (end < 0)
            return;
        if (fonts)
            fonts_.End();
        else
            colors_.End();
        bytes = bytes.sliced(end + 1);
    }
}

// \ucN: the characters after \uN that stand for it in readers without Unicode. Each character, \'hh,
// control word or symbol counts one; a group's start or end stops the skip.
bool RtfInterpreter::SkipFallback() {
    if (fallback_ == 0)
        return false;
    --fallback_;
    return true;
}

bool RtfInterpreter::InBody() const {
    const Destination destination = stack_.back().destination;
    return destination == Destination::Text || destination == Destination::ListMarker;
}

void RtfInterpreter::AddBodyBytes(QByteArrayView bytes) {
    if (bytes.isEmpty() || !InBody())
        return;
    const int codePage = BodyCodePage();
    if (bytes_.isEmpty() && codePage != RtfCodePages::kSymbol && IsAscii(bytes)) {
        text_.append(QLatin1StringView(bytes));
        return;
    }
    // The bytes of a double-byte character may come as \'hh or as text; they are decoded together.
    if (!bytes_.isEmpty() && codePage != bytesCodePage_)
        FlushBytes();
    bytesCodePage_ = codePage;
    bytes_.append(bytes);
}

int RtfInterpreter::BodyCodePage() {
    const int font = State().chars.font;
    if (font != codePageFont_) {
        codePageFont_ = font;
        fontCodePage_ = fonts_.CodePage(font);
    }
    return fontCodePage_ > 0 ? fontCodePage_ : documentCodePage_;
}

void RtfInterpreter::AddCharacter(char32_t c) {
    if (!InBody())
        return;
    FlushBytes();
    text_ += QStringView(QChar::fromUcs4(c));
    surrogates_ = surrogates_ || QChar::isSurrogate(c);
}

// \uN is signed 16-bit: a negative N stands for N + 65536. A writer that gives a code point above
// 65535 whole is taken at its word.
void RtfInterpreter::AddUnicode(int value) {
    if (value < 0)
        value += 65536;
    const char32_t c =
        value >= 0 && value <= 0x10FFFF ? char32_t(value) : char32_t(QChar::ReplacementCharacter);
    if (State().destination == Destination::FontTable)
        fonts_.AddNameCharacter(c);
    else
        AddCharacter(c);
}

void RtfInterpreter::FlushBytes() {
    if (bytes_.isEmpty())
        return;
    codePages_.Decode(bytesCodePage_, bytes_, text_);
    bytes_.clear();
}

void RtfInterpreter::FlushText() {
    FlushBytes();
    if (text_.isEmpty())
        return;
    if (surrogates_)
        RepairSurrogates(text_);
    surrogates_ = false;
    // Control characters are no text; a tab is.
    text_.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    if (State().note) {
        notes_.last() += text_;
    } else {
        // The format first: making it may give it a new number.
        const QTextCharFormat& format = CharFormat();
        builder_.AddText(text_, format, formatId_);
    }
    text_.clear();
}

void RtfInterpreter::EndParagraph() {
    if (State().destination != Destination::Text)
        return;
    FlushText();
    if (State().note) {
        notes_.append(QString());
        return;
    }
    const RtfParagraph paragraph = Paragraph();
    builder_.EndParagraph(paragraph, CharFormat());
    if (State().paragraph.pn.kind == RtfPnState::Kind::None)
        ++pnSequence_;
}

void RtfInterpreter::AddNotes() {
    RtfParagraph last = Paragraph();
    for (const QString& note : std::as_const(notes_)) {
        if (note.trimmed().isEmpty())
            continue;
        if (builder_.InParagraph())
            builder_.EndParagraph(last, CharFormat());
        // Formats apart: a note is a plain paragraph in the document's default format.
        last = RtfParagraph();
        builder_.AddText(note, QTextCharFormat(), kNoteFormatId);
    }
    builder_.Finish(last);
}

void RtfInterpreter::EndCell() {
    if (State().destination != Destination::Text)
        return;
    FlushText();
    builder_.EndCell(Paragraph());
}

void RtfInterpreter::EndRow(int depth) {
    if (State().destination != Destination::Text)
        return;
    FlushText();
    builder_.EndRow(depth, Row());
}

// The row a definition word belongs to: a nested table's comes in its own group.
RtfTableRow& RtfInterpreter::Row() {
    const int depth = State().nestedRow ? std::clamp(State().paragraph.tableDepth, 2, kMaxTableDepth) : 1;
    if (rows_.size() < std::size_t(depth))
        rows_.resize(std::size_t(depth));
    return rows_[std::size_t(depth - 1)];
}

const QTextCharFormat& RtfInterpreter::CharFormat() {
    const RtfCharState& chars = State().chars;
    if (formatId_ < 0 || !(chars == formatState_)) {
        formatState_ = chars;
        format_ = MakeCharFormat(chars);
        formatId_ = std::max(formatId_, 0) + 1;
    }
    return format_;
}

QTextCharFormat RtfInterpreter::MakeCharFormat(const RtfCharState& chars) const {
    QTextCharFormat format;
    const QString family = fonts_.Family(chars.font);
    if (!family.isEmpty())
        format.setFontFamilies(QStringList{family});
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    if (const QColor color = colors_.Color(chars.foreground); color.isValid())
        format.setForeground(color);
    if (const QColor color = colors_.Color(chars.background); color.isValid())
        format.setBackground(color);
    if (chars.script == RtfCharState::Script::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.script == RtfCharState::Script::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (chars.capitals != QFont::MixedCase)
        format.setFontCapitalization(chars.capitals);
    // Hidden text shows as word processors show it with formatting marks on.
    if (chars.hidden) {
        format.setProperty(RtfTextProperties::kHidden, true);
        if (!chars.underline)
            format.setUnderlineStyle(QTextCharFormat::DotLine);
    }
    return format;
}

RtfParagraph RtfInterpreter::Paragraph() const {
    const RtfParagraphState& state = stack_.back().paragraph;
    RtfParagraph paragraph;
    paragraph.tableDepth = state.tableDepth;
    paragraph.format.setAlignment(state.alignment);
    paragraph.format.setTopMargin(RtfUnits::PixelsOfTwips(state.before));
    paragraph.format.setBottomMargin(RtfUnits::PixelsOfTwips(state.after));
    // A list item takes its indents from the list.
    if (!SetList(state, paragraph)) {
        paragraph.format.setLeftMargin(RtfUnits::PixelsOfTwips(state.left));
        paragraph.format.setRightMargin(RtfUnits::PixelsOfTwips(state.right));
        paragraph.format.setTextIndent(RtfUnits::PixelsOfTwips(state.first));
        paragraph.format.setTabPositions(TabPositions(state));
    }
    return paragraph;
}

// The toolkit measures tab positions from where a line starts, for the first line the left indent
// plus the first-line indent. A hanging first line also tabs to the left indent, as in "bullet,
// tab, text".
QList<QTextOption::Tab> RtfInterpreter::TabPositions(const RtfParagraphState& state) const {
    const int start = state.left + state.first;
    std::vector<RtfTabStop> stops;
    if (!AreDefaultStops(state.tabs))
        stops = state.tabs;
    if (state.first < 0)
        stops.push_back(RtfTabStop{state.left, QTextOption::LeftTab});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const RtfTabStop& a, const RtfTabStop& b) { return a.position < b.position; });
    QList<QTextOption::Tab> tabs;
    for (const RtfTabStop& stop : stops) {
        const qreal position = RtfUnits::PixelsOfTwips(stop.position - start);
        if (stop.position > start && (tabs.isEmpty() || tabs.last().position != position))
            tabs.append(QTextOption::Tab(position, stop.type));
    }
    return tabs;
}

// Some writers give every paragraph the default stops as its own; the document's default tab
// distance has them already.
bool RtfInterpreter::AreDefaultStops(const std::vector<RtfTabStop>& stops) const {
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (stops[i].type != QTextOption::LeftTab || stops[i].position != int(i + 1) * defaultTab_)
            return false;
    return true;
}

// A list override the list table knows wins over the older {\pn} form, which wins over an
// override the table does not know.
bool RtfInterpreter::SetList(const RtfParagraphState& state, RtfParagraph& paragraph) const {
    const int level = state.listLevel;
    const QTextListFormat::Style known = state.listOverride > 0 ? lists_.Style(state.listOverride, level)
                                                                : QTextListFormat::ListStyleUndefined;
    if (known != QTextListFormat::ListStyleUndefined ||
        (state.listOverride > 0 && state.pn.kind == RtfPnState::Kind::None)) {
        paragraph.list.setStyle(
            known != QTextListFormat::ListStyleUndefined ? known : RtfListTable::BulletOfLevel(level));
        paragraph.list.setIndent(level + 1);
        paragraph.listKey = state.listOverride;
        return true;
    }
    if (state.pn.kind == RtfPnState::Kind::None)
        return false;
    // Without an outline level, the indent tells the level, in steps of a list indent.
    constexpr int kStep = RtfUnits::kListIndentTwips;
    const int indent =
        state.pn.level >= 0 ? state.pn.level + 1 : std::clamp((state.left + kStep / 2) / kStep, 1, 9);
    paragraph.list.setStyle(state.pn.kind == RtfPnState::Kind::Bullet
                                ? RtfListTable::BulletOfLevel(indent - 1)
                                : state.pn.numbering);
    paragraph.list.setIndent(indent);
    paragraph.listKey = -1 - pnSequence_;
    return true;
}

// Reads the tokens of a rich-text document group by group and hands its text, formats,
// paragraphs, lists and pictures to a document builder. Whatever the input, it reads each byte
// once and ends: unbalanced groups, a cut \bin and absurd parameters keep what was read.
#pragma once

#include "RtfCodePages.h"
#include "RtfColorTable.h"
#include "RtfFontTable.h"
#include "RtfKeywords.h"
#include "RtfListTable.h"
#include "RtfPage.h"
#include "RtfPicture.h"
#include "RtfState.h"
#include "RtfTableRow.h"
#include "RtfTokenizer.h"
#include "RtfUnits.h"

#include <QTextCharFormat>

#include <functional>
#include <limits>
#include <vector>

class RtfDocumentBuilder;
struct RtfParagraph;

class RtfInterpreter {
public:
    explicit RtfInterpreter(RtfDocumentBuilder& builder);

    // progress: told now and then how many bytes have been read.
    void Run(QByteArrayView bytes, const std::function<void(qsizetype)>& progress = {});

private:
    using Destination = RtfGroupState::Destination;

    RtfGroupState& State() { return stack_.back(); }
    void OpenGroup();
    // False when the group closed is the document's own.
    bool CloseGroup();
    void CloseDestination(const RtfGroupState& closed);

    // False when the document's group has ended.
    bool OnToken(const RtfToken& token);
    void OnWord(const RtfToken& token);
    bool OnDestinationWord(RtfKeyword keyword);
    bool OnTableWord(RtfKeyword keyword, int value);
    bool OnCharacterWord(const RtfWord& word, const RtfToken& token);
    bool OnFormatWord(RtfKeyword keyword, const RtfToken& token);
    bool OnParagraphWord(RtfKeyword keyword, int value);
    bool OnListWord(RtfKeyword keyword, int value);
    bool OnTableStructureWord(RtfKeyword keyword, int value);
    bool OnRowWord(RtfKeyword keyword, int value);
    bool OnCellWord(RtfKeyword keyword, int value);
    bool OnPageWord(RtfKeyword keyword, int value);
    bool OnDefaultTabWord(RtfKeyword keyword, int value);
    bool OnPictureWord(RtfKeyword keyword, int value);
    void OnSymbol(char symbol);
    void OnHex(char byte);
    void OnText(QByteArrayView bytes);
    void OnTableText(QByteArrayView bytes);
    bool SkipFallback();

    bool InBody() const;
    int BodyCodePage();
    void AddBodyBytes(QByteArrayView bytes);
    void AddCharacter(char32_t c);
    void AddUnicode(int value);
    void FlushBytes();
    void FlushText();
    void EndParagraph();
    // The text of headers, footers and footnotes, as plain paragraphs after the body.
    void AddNotes();
    void EndCell();
    void EndRow(int depth);
    RtfTableRow& Row();

    const QTextCharFormat& CharFormat();
    QTextCharFormat MakeCharFormat(const RtfCharState& chars) const;
    RtfParagraph Paragraph() const;
    bool SetList(const RtfParagraphState& state, RtfParagraph& paragraph) const;
    QList<QTextOption::Tab> TabPositions(const RtfParagraphState& state) const;
    bool AreDefaultStops(const std::vector<RtfTabStop>& stops) const;

    // The paragraphs of headers, footers and footnotes, kept for the end of the body.
    QStringList notes_;
    RtfDocumentBuilder& builder_;
    std::vector<RtfGroupState> stack_;
    int excessDepth_ = 0; // groups past the nesting limit, counted only
    int fallback_ = 0;    // \uc fallback characters still to skip

    int documentCodePage_ = RtfCodePages::kAnsi;
    int defaultFont_ = -1;
    RtfCodePages codePages_;
    RtfFontTable fonts_;
    RtfListTable lists_;
    RtfPicture picture_;
    RtfColorTable colors_;

    QByteArray bytes_; // \'hh and 8-bit text not yet decoded
    int bytesCodePage_ = 0;
    static constexpr int kNoFont = std::numeric_limits<int>::min();
    int codePageFont_ = kNoFont; // the font whose code page is fontCodePage_
    int fontCodePage_ = 0;
    QString text_;
    bool surrogates_ = false;

    RtfCharState formatState_;
    QTextCharFormat format_;
    int formatId_ = -1;
    int pnSequence_ = 0;
    int footnotes_ = 0;

    // The row definitions in force, by table depth, and the cell being defined.
    std::vector<RtfTableRow> rows_;
    RtfTableCell cell_;
    int cellBorders_ = 0;
    RtfPage page_;
    int defaultTab_ = RtfUnits::kDefaultTabTwips;
};

#include "RtfWriter.h"

#include "CodePage1252.h"
#include "RtfPage.h"
#include "RtfTextProperties.h"
#include "RtfUnits.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <vector>

namespace {

constexpr int kDefaultHalfPoints = 24;
constexpr char kBullet1252 = char(0x95);
// A list item's number or bullet hangs half a list indent before its text.
constexpr int kHangTwips = RtfUnits::kListIndentTwips / 2;

bool IsBullet(QTextListFormat::Style style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

const char* NumberingWord(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return "\\pnlcltr";
    case QTextListFormat::ListUpperAlpha:
        return "\\pnucltr";
    case QTextListFormat::ListLowerRoman:
        return "\\pnlcrm";
    case QTextListFormat::ListUpperRoman:
        return "\\pnucrm";
    default:
        return "\\pndec";
    }
}

const char* AlignmentWord(Qt::Alignment alignment) {
    switch (alignment & Qt::AlignHorizontal_Mask) {
    case Qt::AlignHCenter:
        return "\\qc";
    case Qt::AlignRight:
        return "\\qr";
    case Qt::AlignJustify:
        return "\\qj";
    default:
        return "\\ql";
    }
}

QByteArray HexOf(unsigned char byte) {
    return QByteArray::number(byte, 16).rightJustified(2, '0');
}

const char* TabKindWord(QTextOption::TabType type) {
    switch (type) {
    case QTextOption::RightTab:
        return "\\tqr";
    case QTextOption::CenterTab:
        return "\\tqc";
    case QTextOption::DelimiterTab:
        return "\\tqdec";
    default:
        return "";
    }
}

} // namespace

// The whole document's range takes in the last paragraph's mark, which a selection never does.
QByteArray RtfWriter::Write(const QTextDocument& document) {
    return RtfWriter(document, 0, document.characterCount()).Run();
}

QByteArray RtfWriter::Write(const QTextCursor& selection) {
    return RtfWriter(*selection.document(), selection.selectionStart(), selection.selectionEnd()).Run();
}

RtfWriter::RtfWriter(const QTextDocument& document, int start, int end)
    : document_(document), start_(start), end_(end) {}

QByteArray RtfWriter::Run() {
    CollectTables();
    WriteHeader();
    const QTextFrame* root = document_.rootFrame();
    WriteItems(root->begin(), root->end(), 0, nullptr);
    out_ += "}\n";
    return out_;
}

QTextBlock RtfWriter::FirstBlock() const {
    return document_.findBlock(start_);
}

bool RtfWriter::InRange(const QTextBlock& block) const {
    return block.isValid() && block.position() <= end_ && block.position() + block.length() > start_;
}

bool RtfWriter::InRange(const QTextFrame& frame) const {
    return frame.firstPosition() <= end_ && frame.lastPosition() >= start_;
}

// The paragraphs and tables of a frame or a table cell, whose last paragraph ends with the cell
// mark. The toolkit keeps an empty paragraph before each table, which is no paragraph of the
// document.
void RtfWriter::WriteItems(QTextFrame::iterator it, const QTextFrame::iterator& end, int depth,
                           const char* cellMark) {
    while (it != end) {
        const QTextFrame::iterator item = it++;
        if (const QTextFrame* frame = item.currentFrame()) {
            const auto* table = qobject_cast<const QTextTable*>(frame);
            if (!table) {
                WriteItems(frame->begin(), frame->end(), depth, nullptr);
            } else if (const QTextTableCell cell = table->cellAt(start_);
                       cell.isValid() && cell == table->cellAt(end_)) {
                // A selection inside one cell is that cell's text, no table.
                WriteItems(cell.begin(), cell.end(), depth, nullptr);
            } else if (InRange(*frame)) {
                WriteTable(*table, depth + 1);
            }
            continue;
        }
        const QTextBlock block = item.currentBlock();
        if (!InRange(block))
            continue;
        const bool last = it == end;
        if (block.length() == 1 && !last && qobject_cast<const QTextTable*>(it.currentFrame()))
            continue;
        WriteParagraphFormat(block, depth);
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            WriteFragment(fragment.fragment());
        if (last && cellMark)
            out_ += cellMark;
        else if (block.position() + block.length() - 1 < end_)
            out_ += "\\par\n";
    }
}

// Cells a merge covers are written empty, marked as part of the cell they belong to. A nested
// table's row definition comes after its cells.
void RtfWriter::WriteTable(const QTextTable& table, int depth) {
    const char* cellMark = depth == 1 ? "\\cell\n" : "\\nestcell\n";
    for (int row = 0; row < table.rows(); ++row) {
        if (depth == 1)
            WriteRowDefinition(table, row);
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() == row && cell.column() == column) {
                WriteItems(cell.begin(), cell.end(), depth, cellMark);
            } else {
                WriteTableParagraph(depth);
                out_ += cellMark;
            }
        }
        if (depth == 1) {
            out_ += "\\row\n";
            continue;
        }
        WriteTableParagraph(depth);
        out_ += "{\\*\\nesttableprops";
        WriteRowDefinition(table, row);
        out_ += "\\nestrow}\n";
    }
}

void RtfWriter::WriteTableParagraph(int depth) {
    out_ += "\\pard\\intbl";
    if (depth > 1)
        WriteWord("\\itap", depth);
}

void RtfWriter::WriteRowDefinition(const QTextTable& table, int row) {
    const QTextTableFormat format = table.format();
    out_ += "\\trowd";
    WriteWord("\\trgaph", RtfUnits::TwipsOfPixels(format.cellPadding()));
    WriteWord("\\trleft", RtfUnits::TwipsOfPixels(format.leftMargin()));
    if (format.alignment() & Qt::AlignHCenter)
        out_ += "\\trqc";
    else if (format.alignment() & Qt::AlignRight)
        out_ += "\\trqr";
    const std::vector<int> rights = CellRights(table);
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (cell.rowSpan() > 1)
            out_ += cell.row() == row ? "\\clvmgf" : "\\clvmrg";
        if (cell.columnSpan() > 1)
            out_ += cell.column() == column ? "\\clmgf" : "\\clmrg";
        const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        if (cellFormat.verticalAlignment() == QTextCharFormat::AlignMiddle)
            out_ += "\\clvertalc";
        else if (cellFormat.verticalAlignment() == QTextCharFormat::AlignBottom)
            out_ += "\\clvertalb";
        if (const int color = ColorIndex(cellFormat.background()))
            WriteWord("\\clcbpat", color);
        if (format.border() > 0)
            out_ += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs";
        WriteWord("\\cellx", rights[std::size_t(column)]);
    }
    out_ += "\n";
}

// The right edges of the columns from the page's left margin: the widths the table holds, else a
// share of a page's text width.
std::vector<int> RtfWriter::CellRights(const QTextTable& table) {
    constexpr int kTextWidthTwips = 9360;
    const QTextTableFormat format = table.format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    std::vector<int> rights;
    int right = RtfUnits::TwipsOfPixels(format.leftMargin());
    for (int column = 0; column < table.columns(); ++column) {
        const QTextLength width = column < widths.size() ? widths[column] : QTextLength();
        if (width.type() == QTextLength::FixedLength)
            right += RtfUnits::TwipsOfPixels(width.rawValue());
        else if (width.type() == QTextLength::PercentageLength)
            right += qRound(width.rawValue() * kTextWidthTwips / 100);
        else
            right += kTextWidthTwips / table.columns();
        rights.push_back(right);
    }
    return rights;
}

// Colour 0 is "auto".
void RtfWriter::CollectTables() {
    for (QTextBlock block = FirstBlock(); InRange(block); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!InRange(it.fragment()))
                continue;
            const QTextCharFormat format = it.fragment().charFormat();
            const QString family = Family(format);
            if (!format.isImageFormat() && !fontIndex_.contains(family)) {
                fontIndex_.insert(family, int(fonts_.size()));
                fonts_.append(family);
            }
            AddColor(format.foreground());
            AddColor(format.background());
        }
    }
    CollectCellColors(*document_.rootFrame());
}

void RtfWriter::CollectCellColors(const QTextFrame& frame) {
    for (const QTextFrame* child : frame.childFrames()) {
        if (const auto* table = qobject_cast<const QTextTable*>(child))
            for (int row = 0; row < table->rows(); ++row)
                for (int column = 0; column < table->columns(); ++column)
                    AddColor(table->cellAt(row, column).format().background());
        CollectCellColors(*child);
    }
}

void RtfWriter::WriteHeader() {
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out_ += "{";
        WriteWord("\\f", int(i));
        out_ += "\\fnil\\fcharset0 ";
        WriteText(fonts_[i]);
        out_ += ";}";
    }
    out_ += "}\n{\\colortbl;";
    for (QRgb rgb : colors_) {
        WriteWord("\\red", qRed(rgb));
        WriteWord("\\green", qGreen(rgb));
        WriteWord("\\blue", qBlue(rgb));
        out_ += ";";
    }
    out_ += "}\n";
    WriteDocumentFormat();
    out_ += "\n";
}

void RtfWriter::WriteDocumentFormat() {
    WriteWord("\\deftab", RtfUnits::TwipsOfPixels(document_.defaultTextOption().tabStopDistance()));
    const RtfPage page = RtfPage::Of(document_);
    if (!page.given)
        return;
    WriteWord("\\paperw", page.width);
    WriteWord("\\paperh", page.height);
    WriteWord("\\margl", page.left);
    WriteWord("\\margr", page.right);
    WriteWord("\\margt", page.top);
    WriteWord("\\margb", page.bottom);
}

void RtfWriter::WriteParagraphFormat(const QTextBlock& block, int depth) {
    const QTextBlockFormat format = block.blockFormat();
    if (depth > 0)
        WriteTableParagraph(depth);
    else
        out_ += "\\pard";
    out_ += AlignmentWord(format.alignment());
    if (format.topMargin() != 0)
        WriteWord("\\sb", RtfUnits::TwipsOfPixels(format.topMargin()));
    if (format.bottomMargin() != 0)
        WriteWord("\\sa", RtfUnits::TwipsOfPixels(format.bottomMargin()));
    if (block.textList()) {
        WriteListItem(block);
        return;
    }
    if (format.leftMargin() != 0)
        WriteWord("\\li", RtfUnits::TwipsOfPixels(format.leftMargin()));
    if (format.rightMargin() != 0)
        WriteWord("\\ri", RtfUnits::TwipsOfPixels(format.rightMargin()));
    if (format.textIndent() != 0)
        WriteWord("\\fi", RtfUnits::TwipsOfPixels(format.textIndent()));
    WriteTabStops(format);
}

// Tab positions count from where the first line starts; tab stops from the left margin.
void RtfWriter::WriteTabStops(const QTextBlockFormat& format) {
    const qreal start = format.leftMargin() + format.textIndent();
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        out_ += TabKindWord(tab.type);
        WriteWord("\\tx", RtfUnits::TwipsOfPixels(start + tab.position));
    }
}

// The {\pntext} group shows the item's number or bullet to readers without lists; readers with
// lists skip it and number the items themselves.
void RtfWriter::WriteListItem(const QTextBlock& block) {
    const QTextList* list = block.textList();
    const QTextListFormat::Style style = list->format().style();
    WriteWord("\\li", RtfUnits::kListIndentTwips * std::max(1, list->format().indent()));
    WriteWord("\\fi", -kHangTwips);
    out_ += "{\\pntext\\f0 ";
    if (IsBullet(style)) {
        out_ += "\\'" + HexOf(kBullet1252) + "\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'" +
                HexOf(kBullet1252) + "}}";
        return;
    }
    WriteText(list->itemText(block));
    out_ += "\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0";
    WriteWord("\\pnstart", 1);
    out_ += NumberingWord(style);
    out_ += "{\\pntxta.}}";
}

bool RtfWriter::InRange(const QTextFragment& fragment) const {
    return fragment.position() < end_ && fragment.position() + fragment.length() > start_;
}

// The part of the fragment inside the range; each object character of a picture is one picture.
void RtfWriter::WriteFragment(const QTextFragment& fragment) {
    if (!InRange(fragment))
        return;
    const int from = std::max(start_, fragment.position());
    const int to = std::min(end_, fragment.position() + fragment.length());
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
        for (int i = from; i < to; ++i)
            WriteImage(format.toImageFormat());
        return;
    }
    // A group of its own per run: some readers keep a format set outside a group too long.
    out_ += "{";
    WriteCharFormat(format);
    WriteText(QStringView(fragment.text()).sliced(from - fragment.position(), to - from));
    out_ += "}";
}

void RtfWriter::WriteCharFormat(const QTextCharFormat& format) {
    WriteWord("\\f", fontIndex_.value(Family(format)));
    WriteWord("\\fs", HalfPoints(format));
    if (format.fontWeight() > QFont::Medium)
        out_ += "\\b";
    if (format.fontItalic())
        out_ += "\\i";
    if (format.fontUnderline())
        out_ += "\\ul";
    if (format.fontStrikeOut())
        out_ += "\\strike";
    if (const int color = ColorIndex(format.foreground()))
        WriteWord("\\cf", color);
    if (const int color = ColorIndex(format.background()))
        WriteWord("\\highlight", color);
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out_ += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out_ += "\\sub";
    if (format.fontCapitalization() == QFont::AllUppercase)
        out_ += "\\caps";
    else if (format.fontCapitalization() == QFont::SmallCaps)
        out_ += "\\scaps";
    if (format.boolProperty(RtfTextProperties::kHidden))
        out_ += "\\v";
    out_ += " ";
}

// Pictures are written as PNG at the size they are shown.
void RtfWriter::WriteImage(const QTextImageFormat& format) {
    const QVariant resource = document_.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = qvariant_cast<QImage>(resource);
    if (image.isNull() && resource.typeId() == QMetaType::QByteArray)
        image = QImage::fromData(resource.toByteArray());
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const qreal width = format.width() > 0 ? format.width() : image.width();
    const qreal height = format.height() > 0 ? format.height() : image.height();
    out_ += "{\\pict\\pngblip";
    WriteWord("\\picw", image.width());
    WriteWord("\\pich", image.height());
    WriteWord("\\picwgoal", RtfUnits::TwipsOfPixels(width));
    WriteWord("\\pichgoal", RtfUnits::TwipsOfPixels(height));
    out_ += "\n";
    constexpr qsizetype kLine = 64;
    for (qsizetype i = 0; i < png.size(); i += kLine)
        out_ += png.mid(i, kLine).toHex() + "\n";
    out_ += "}";
}

void RtfWriter::WriteText(QStringView text) {
    for (QChar c : text)
        WriteCharacter(c.unicode());
}

void RtfWriter::WriteCharacter(char16_t c) {
    switch (c) {
    case u'\\':
    case u'{':
    case u'}':
        out_ += '\\';
        out_ += char(c);
        return;
    case u'\t':
        out_ += "\\tab ";
        return;
    case QChar::LineSeparator:
        out_ += "\\line ";
        return;
    case u'\u00A0':
        out_ += "\\~";
        return;
    case u'\u00AD':
        out_ += "\\-";
        return;
    case u'\u2011':
        out_ += "\\_";
        return;
    default:
        break;
    }
    if (c < 0x20)
        return;
    if (c < 0x80) {
        out_ += char(c);
        return;
    }
    // The five bytes code page 1252 leaves undefined stand for controls no reader expects.
    const int byte = CodePage1252::FromUnicode(c);
    if (byte >= 0 && c >= 0xA0) {
        out_ += "\\'" + HexOf(static_cast<unsigned char>(byte));
        return;
    }
    // \uN is signed 16-bit; characters past 65535 come as their two surrogate halves.
    WriteWord("\\u", c > 32767 ? int(c) - 65536 : int(c));
    out_ += "?";
}

void RtfWriter::WriteWord(const char* word, int value) {
    out_ += word;
    out_ += QByteArray::number(value);
}

QString RtfWriter::Family(const QTextCharFormat& format) const {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? document_.defaultFont().family() : families.first();
}

int RtfWriter::HalfPoints(const QTextCharFormat& format) const {
    qreal points = format.fontPointSize();
    if (points <= 0)
        points = document_.defaultFont().pointSizeF();
    return points > 0 ? qRound(points * 2) : kDefaultHalfPoints;
}

void RtfWriter::AddColor(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush)
        return;
    const QRgb rgb = brush.color().rgb();
    if (!colorIndex_.contains(rgb)) {
        colors_.append(rgb);
        colorIndex_.insert(rgb, int(colors_.size()));
    }
}

int RtfWriter::ColorIndex(const QBrush& brush) const {
    return brush.style() == Qt::NoBrush ? 0 : colorIndex_.value(brush.color().rgb());
}

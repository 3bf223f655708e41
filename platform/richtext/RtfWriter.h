// Writes a document, or the selection of a cursor, as 7-bit Rich Text Format that other programs
// read: code page 1252 with a font and a colour table; bold, italic, underline, strikethrough,
// size, colour, background, font, super- and subscript, capitals, hidden text; alignment, indents
// and spacing; tables, nested ones too, with merged cells, widths, borders and shading; lists in
// the {\pn} form that older readers know, with the number or bullet as text for readers that do
// not; PNG pictures; the page size and margins the document was read with. Characters outside
// ASCII are \'hh where code page 1252 has them and \uN? otherwise.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QStringList>
#include <QTextFrame>

#include <vector>

class QBrush;
class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextFragment;
class QTextImageFormat;
class QTextTable;

class RtfWriter {
public:
    static QByteArray Write(const QTextDocument& document);
    // The selection only; paragraphs it touches keep their paragraph format.
    static QByteArray Write(const QTextCursor& selection);

private:
    RtfWriter(const QTextDocument& document, int start, int end);

    QByteArray Run();
    QTextBlock FirstBlock() const;
    bool InRange(const QTextBlock& block) const;
    bool InRange(const QTextFragment& fragment) const;
    bool InRange(const QTextFrame& frame) const;
    void CollectTables();
    void CollectCellColors(const QTextFrame& frame);
    void WriteHeader();
    void WriteDocumentFormat();
    void WriteItems(QTextFrame::iterator it, const QTextFrame::iterator& end, int depth,
                    const char* cellMark);
    void WriteTable(const QTextTable& table, int depth);
    void WriteTableParagraph(int depth);
    void WriteRowDefinition(const QTextTable& table, int row);
    static std::vector<int> CellRights(const QTextTable& table);
    void WriteParagraphFormat(const QTextBlock& block, int depth);
    void WriteTabStops(const QTextBlockFormat& format);
    void WriteListItem(const QTextBlock& block);
    void WriteFragment(const QTextFragment& fragment);
    void WriteCharFormat(const QTextCharFormat& format);
    void WriteImage(const QTextImageFormat& format);
    void WriteText(QStringView text);
    void WriteCharacter(char16_t c);
    void WriteWord(const char* word, int value);

    QString Family(const QTextCharFormat& format) const;
    int HalfPoints(const QTextCharFormat& format) const;
    void AddColor(const QBrush& brush);
    int ColorIndex(const QBrush& brush) const;

    const QTextDocument& document_;
    int start_;
    int end_;
    QByteArray out_;
    QStringList fonts_;
    QHash<QString, int> fontIndex_;
    QList<QRgb> colors_;
    QHash<QRgb, int> colorIndex_;
};

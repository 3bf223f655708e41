// Builds a document's tables at the builder's cursor as the reader meets their paragraphs, cells and
// rows. A table nested in another sits in the cell of the outer one. The toolkit's tables are grids:
// a row with fewer cells than the widest one has its last cell span the rest.
#pragma once

#include "RtfTableRow.h"

#include <vector>

class QTextCursor;
class QTextTable;

class RtfTableBuilder {
public:
    explicit RtfTableBuilder(QTextCursor& cursor);

    int Depth() const { return int(open_.size()); }
    // Puts the cursor where a paragraph at the depth goes: closes deeper tables, moves past an
    // ended cell or row, and opens tables down to the depth.
    void Enter(int depth);
    // The paragraph just put in was the cell's last.
    void EndCell();
    void EndRow(int depth, const RtfTableRow& row);

private:
    struct Open {
        QTextTable* table = nullptr;
        int row = 0;
        int column = 0;
        bool cellEnded = false;
        bool rowEnded = false;
        std::vector<int> rowCells{1}; // the cells each row has filled
        std::vector<qreal> widths;    // of the row with the most cells
    };

    void OpenTable();
    void CloseTable();
    void MoveOn(Open& open);
    void FormatRow(Open& open, const RtfTableRow& row);
    static void MergeRow(const Open& open, const RtfTableRow& row, int cells);
    static void SpanShortRows(const Open& open);

    QTextCursor& cursor_;
    std::vector<Open> open_;
};

#include "RtfTableBuilder.h"

#include <QTextCursor>
#include <QTextTable>

#include <algorithm>
#include <utility>

namespace {

constexpr int kRowStep = 64;

} // namespace

RtfTableBuilder::RtfTableBuilder(QTextCursor& cursor) : cursor_(cursor) {}

void RtfTableBuilder::Enter(int depth) {
    while (Depth() > depth)
        CloseTable();
    if (!open_.empty())
        MoveOn(open_.back());
    while (Depth() < depth)
        OpenTable();
}

void RtfTableBuilder::EndCell() {
    if (!open_.empty())
        open_.back().cellEnded = true;
}

// A row end for a depth without a table, or for a row that has ended already, is none.
void RtfTableBuilder::EndRow(int depth, const RtfTableRow& row) {
    if (depth < 1 || depth > Depth())
        return;
    while (Depth() > depth)
        CloseTable();
    Open& open = open_.back();
    if (open.rowEnded)
        return;
    FormatRow(open, row);
    open.rowEnded = true;
    open.cellEnded = false;
}

// Borders, alignment and widths come with the rows; until then a table is a bare grid.
void RtfTableBuilder::OpenTable() {
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    Open open;
    open.table = cursor_.insertTable(1, 1, format);
    open_.push_back(std::move(open));
}

void RtfTableBuilder::CloseTable() {
    const Open& open = open_.back();
    if (const int spare = open.table->rows() - open.row - 1; spare > 0)
        open.table->removeRows(open.row + 1, spare);
    SpanShortRows(open);
    if (open.widths.size() == std::size_t(open.table->columns())) {
        QTextTableFormat format = open.table->format();
        QList<QTextLength> widths;
        for (qreal width : open.widths)
            widths.append(QTextLength(QTextLength::FixedLength, width));
        format.setColumnWidthConstraints(widths);
        open.table->setFormat(format);
    }
    cursor_ = open.table->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    open_.pop_back();
}

void RtfTableBuilder::MoveOn(Open& open) {
    if (open.rowEnded) {
        // The toolkit works out a table's grid anew after each change of its rows: they are added
        // in steps, and those left over go when the table closes.
        if (open.row + 1 >= open.table->rows())
            open.table->appendRows(std::min(open.table->rows(), kRowStep));
        ++open.row;
        open.column = 0;
        open.rowCells.push_back(1);
    } else if (open.cellEnded && open.column + 1 < RtfTableRow::kMaxCells) {
        ++open.column;
        if (open.column >= open.table->columns())
            open.table->appendColumns(1);
        open.rowCells.back() = open.column + 1;
    } else {
        return;
    }
    open.rowEnded = open.cellEnded = false;
    cursor_ = open.table->cellAt(open.row, open.column).firstCursorPosition();
}

void RtfTableBuilder::FormatRow(Open& open, const RtfTableRow& row) {
    const int cells = std::min(open.rowCells.back(), int(row.cells.size()));
    const QTextTableFormat before = open.table->format();
    QTextTableFormat format = before;
    if (open.row == 0) {
        format.setAlignment(row.alignment);
        format.setLeftMargin(std::max<qreal>(row.indent, 0));
        format.setCellPadding(row.padding);
    }
    for (int i = 0; i < cells; ++i) {
        const RtfTableCell& definition = row.cells[std::size_t(i)];
        QTextTableCell cell = open.table->cellAt(open.row, i);
        QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        if (definition.background.isValid())
            cellFormat.setBackground(definition.background);
        cellFormat.setVerticalAlignment(definition.vertical);
        cell.setFormat(cellFormat);
        if (definition.bordered)
            format.setBorder(1);
    }
    // A change of the table's format lays out the whole table again.
    if (format != before)
        open.table->setFormat(format);
    if (row.cells.size() > open.widths.size()) {
        open.widths.clear();
        qreal left = row.indent;
        for (const RtfTableCell& cell : row.cells) {
            open.widths.push_back(std::max<qreal>(cell.right - left, 1));
            left = std::max(left, cell.right);
        }
    }
    MergeRow(open, row, cells);
}

// Cells joined to the left first, so that a cell joined to the one above has that one's width.
void RtfTableBuilder::MergeRow(const Open& open, const RtfTableRow& row, int cells) {
    QTextTable* table = open.table;
    for (int start = 0, i = 1; i <= cells; ++i) {
        if (i < cells && row.cells[std::size_t(i)].mergedLeft)
            continue;
        if (i - start > 1)
            table->mergeCells(open.row, start, 1, i - start);
        start = i;
    }
    if (open.row == 0)
        return;
    for (int i = 0; i < cells; ++i) {
        if (!row.cells[std::size_t(i)].mergedUp || row.cells[std::size_t(i)].mergedLeft)
            continue;
        const QTextTableCell above = table->cellAt(open.row - 1, i);
        const QTextTableCell here = table->cellAt(open.row, i);
        if (above.column() == i && above.columnSpan() == here.columnSpan())
            table->mergeCells(above.row(), i, open.row - above.row() + 1, here.columnSpan());
    }
}

void RtfTableBuilder::SpanShortRows(const Open& open) {
    QTextTable* table = open.table;
    for (int row = 0; row < int(open.rowCells.size()); ++row) {
        const QTextTableCell last = table->cellAt(row, open.rowCells[std::size_t(row)] - 1);
        if (last.row() == row && last.rowSpan() == 1 && last.column() + last.columnSpan() < table->columns())
            table->mergeCells(row, last.column(), 1, table->columns() - last.column());
    }
}

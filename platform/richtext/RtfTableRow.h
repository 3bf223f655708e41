// A table row as its definition (\trowd ... \cellx) gives it, in the document's units: the reader
// collects it, the document builder applies it when the row ends.
#pragma once

#include <QColor>
#include <QTextCharFormat>

#include <vector>

struct RtfTableCell {
    qreal right = 0;         // the cell's right edge from the row's left edge, in pixels
    bool mergedLeft = false; // part of the cell on its left
    bool mergedUp = false;   // part of the cell above
    bool bordered = false;
    QColor background; // invalid: none
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignTop;
};

struct RtfTableRow {
    // Word's own limit of cells in a row; more would only cost time.
    static constexpr int kMaxCells = 63;

    std::vector<RtfTableCell> cells;
    Qt::Alignment alignment = Qt::AlignLeft;
    qreal indent = 0;  // of the row's left edge, in pixels
    qreal padding = 0; // half the space between cells' texts, in pixels
};

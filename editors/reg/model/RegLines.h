// The lines of a decoded registry file, one at a time. The text layer has already turned CR LF,
// lone CR and lone LF into "\n"; a last line without a line end is a line like any other.
#pragma once

#include <QString>
#include <QStringView>

#include <functional>

class RegLines {
public:
    // The next piece of the text, of whole lines each ending in "\n" (but the last); false at the end.
    using Pieces = std::function<bool(QString* piece)>;

    // The lines of a whole text, which must outlive them.
    explicit RegLines(QStringView text) : text_(text) {}
    // The lines of a text handed over a piece at a time, so that it is never held whole.
    explicit RegLines(Pieces pieces) : pieces_(std::move(pieces)) {}

    // False at the end of the text. The line stays valid until the next call.
    bool Next(QStringView* line);
    // How many lines Next has handed out.
    qint64 Taken() const { return taken_; }

private:
    Pieces pieces_;
    QString piece_;
    QStringView text_;
    qsizetype position_ = 0;
    qint64 taken_ = 0;
};

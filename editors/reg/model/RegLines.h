// The lines of a decoded registry file, one at a time. The text layer has already turned CR LF,
// lone CR and lone LF into "\n"; a last line without a line end is a line like any other.
#pragma once

#include <QStringView>

class RegLines {
public:
    explicit RegLines(QStringView text) : text_(text) {}

    // False at the end of the text.
    bool Next(QStringView* line);
    // How many lines Next has handed out.
    qint64 Taken() const { return taken_; }

private:
    QStringView text_;
    qsizetype position_ = 0;
    qint64 taken_ = 0;
};

#include "LineEnds.h"

#include "BlockScan.h"

namespace {

using LineEnd = TextFormat::LineEnd;

bool IsLineEndCharacter(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

LineEnds::LineEnds(TextFormat* format) : format_(format) {
    format_->lineEnd = LineEnd::CRLF;
    format_->mixedLineEnds.clear();
}

void LineEnds::Note(LineEnd end, qsizetype times) {
    if (times == 0)
        return;
    if (count_ == 0)
        format_->lineEnd = end;
    else if (!mixed_ && end != format_->lineEnd) {
        mixed_ = true;
        format_->mixedLineEnds.assign(std::size_t(count_), format_->lineEnd);
    }
    if (mixed_)
        format_->mixedLineEnds.insert(format_->mixedLineEnds.end(), std::size_t(times), end);
    count_ += times;
}

void LineEnds::SplitPiece(QString* piece) {
    if (piece->isEmpty())
        return;
    qsizetype from = 0;
    if (openCR_) {
        openCR_ = false;
        from = piece->front() == u'\n';
        Note(from ? LineEnd::CRLF : LineEnd::CR);
    }
    if (from == 0 && !piece->contains(u'\r')) {
        // Nothing to rewrite, and every end is an LF.
        Note(LineEnd::LF, piece->count(u'\n'));
        return;
    }
    char16_t* data = reinterpret_cast<char16_t*>(piece->data());
    const qsizetype size = piece->size();
    qsizetype to = 0;
    while (from < size) {
        const qsizetype end = std::min(size, from + BlockScan::kBlock);
        if (!BlockScan::AnyInBlock(data + from, size - from, IsLineEndCharacter)) {
            // Ahead of "to" by the characters dropped so far; the block moves down whole.
            std::copy(data + from, data + end, data + to);
            to += end - from;
            from = end;
            continue;
        }
        while (from < end) {
            const char16_t c = data[from++];
            if (c == u'\r' && from == size) {
                openCR_ = true;
            } else if (c == u'\r') {
                const bool crlf = data[from] == u'\n';
                from += crlf;
                Note(crlf ? LineEnd::CRLF : LineEnd::CR);
            } else if (c == u'\n') {
                Note(LineEnd::LF);
            }
            data[to++] = c == u'\r' ? u'\n' : c;
        }
    }
    piece->resize(to);
}

void LineEnds::Finish() {
    if (openCR_)
        Note(LineEnd::CR);
    openCR_ = false;
}

void LineEnds::Split(QString* text, TextFormat* format) {
    LineEnds ends(format);
    ends.SplitPiece(text);
    ends.Finish();
}

TextFormat::LineEnd LineEnds::EndOf(const TextFormat& format, qsizetype index) {
    return std::size_t(index) < format.mixedLineEnds.size() ? format.mixedLineEnds[std::size_t(index)]
                                                            : format.lineEnd;
}

QStringView LineEnds::Characters(TextFormat::LineEnd end) {
    switch (end) {
    case LineEnd::LF:
        return u"\n";
    case LineEnd::CR:
        return u"\r";
    case LineEnd::CRLF:
        break;
    }
    return u"\r\n";
}

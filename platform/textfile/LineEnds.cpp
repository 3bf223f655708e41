#include "LineEnds.h"

#include "BlockScan.h"

namespace {

using LineEnd = TextFormat::LineEnd;

// Notes the ends one by one; the list of every line's end is kept only once two styles met.
class EndRecorder {
public:
    explicit EndRecorder(TextFormat* format) : format_(format) {
        format_->lineEnd = LineEnd::CRLF;
        format_->mixedLineEnds.clear();
    }

    void Note(LineEnd end) {
        if (count_ == 0)
            format_->lineEnd = end;
        else if (!mixed_ && end != format_->lineEnd) {
            mixed_ = true;
            format_->mixedLineEnds.assign(std::size_t(count_), format_->lineEnd);
        }
        if (mixed_)
            format_->mixedLineEnds.push_back(end);
        ++count_;
    }

private:
    TextFormat* format_;
    qsizetype count_ = 0;
    bool mixed_ = false;
};

bool IsLineEndCharacter(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

void LineEnds::Split(QString* text, TextFormat* format) {
    EndRecorder ends(format);
    if (!text->contains(u'\r')) {
        // Nothing to rewrite; only the style is needed, and without CR it is LF throughout.
        if (text->contains(u'\n'))
            ends.Note(LineEnd::LF);
        return;
    }
    char16_t* data = reinterpret_cast<char16_t*>(text->data());
    const qsizetype size = text->size();
    qsizetype from = 0;
    qsizetype to = 0;
    while (from < size) {
        const qsizetype end = std::min(size, from + BlockScan::kBlock);
        if (!BlockScan::AnyInBlock(data + from, size - from, IsLineEndCharacter)) {
            // Ahead of "to" by the CRs dropped so far; the block moves down whole.
            std::copy(data + from, data + end, data + to);
            to += end - from;
            from = end;
            continue;
        }
        while (from < end) {
            const char16_t c = data[from++];
            if (c == u'\r') {
                const bool crlf = from < size && data[from] == u'\n';
                from += crlf;
                ends.Note(crlf ? LineEnd::CRLF : LineEnd::CR);
            } else if (c == u'\n') {
                ends.Note(LineEnd::LF);
            }
            data[to++] = c == u'\r' ? u'\n' : c;
        }
    }
    text->resize(to);
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

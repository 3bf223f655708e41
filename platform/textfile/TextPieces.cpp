#include "TextPieces.h"

#include "TextDecoder.h"

#include <algorithm>

namespace {

// Measures the lines of each reading tried, whatever ends them.
class LineLengths final : public TextDecoder::Sink {
public:
    void Start() override { longest = line = 0; }
    void Take(QString&& text) override {
        for (const QChar c : text) {
            const bool end = c == u'\n' || c == u'\r';
            line = end ? 0 : line + 1;
            longest = std::max(longest, line);
        }
    }

    qint64 longest = 0;
    qint64 line = 0;
};

} // namespace

TextPieces::TextPieces(QString path, qsizetype pieceBytes)
    : path_(std::move(path)), pieceBytes_(pieceBytes) {}

std::optional<FileError> TextPieces::Open() {
    if (auto error = file_.Open(path_))
        return error;
    LineLengths lines;
    TextDecoder::Choose([this](const ByteSink& sink) { return ReadAll(sink); }, &format_, lines);
    if (error_)
        return error_;
    longestLine_ = lines.longest;
    decoder_.emplace(format_.encoding, format_.bom);
    return std::nullopt;
}

bool TextPieces::ReadAll(const ByteSink& sink) {
    for (qint64 at = 0; !error_; at += bytes_.size()) {
        error_ = file_.Read(at, pieceBytes_, &bytes_);
        if (error_ || bytes_.isEmpty())
            break;
        if (!sink(bytes_))
            return false;
    }
    return !error_;
}

bool TextPieces::Next(QString* piece) {
    while (!error_ && done_ < Size()) {
        QString text = NextText();
        const qsizetype lines = text.lastIndexOf(u'\n') + 1;
        if (lines == 0) {
            rest_ += text;
            continue;
        }
        QString after = text.sliced(lines);
        text.truncate(lines);
        rest_ += text;
        *piece = std::exchange(rest_, std::move(after));
        return true;
    }
    if (!error_ && decoder_)
        Finish();
    if (error_ || rest_.isEmpty())
        return false;
    *piece = std::exchange(rest_, QString());
    return true;
}

QString TextPieces::NextText() {
    // A file cut short since the look is an error of the reading.
    error_ = file_.Read(done_, pieceBytes_, &bytes_);
    if (error_)
        return {};
    done_ += bytes_.size();
    stamp_.Add(bytes_);
    QString text = decoder_->Add(bytes_);
    // Bytes that no longer read as they did when the encoding was chosen.
    if (decoder_->Failed())
        error_ = FileBytes::Changed();
    ends_.SplitPiece(&text);
    return text;
}

void TextPieces::Finish() {
    // A file grown since the look is an error of the reading too.
    error_ = file_.Read(done_, 1, &bytes_);
    if (!error_ && !decoder_->Finish())
        error_ = FileBytes::Changed();
    if (error_)
        return;
    decoder_.reset();
    ends_.Finish();
    FileStamp::Record(path_, stamp_.Done());
}

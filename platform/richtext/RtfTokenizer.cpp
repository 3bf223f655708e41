#include "RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace {

RtfToken TokenOf(RtfToken::Kind kind) {
    RtfToken token;
    token.kind = kind;
    return token;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EndsText(char c) {
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

// Longer names are no control word of the format; their letters are read and cut here.
constexpr qsizetype kMaxWordLength = 32;
// Enough digits to pass any int; the rest are read and clamp the value.
constexpr qint64 kParameterLimit = qint64(1) << 40;

} // namespace

RtfToken RtfTokenizer::Next() {
    while (pos_ < bytes_.size()) {
        const char c = bytes_[pos_];
        if (c == '\r' || c == '\n') {
            ++pos_;
            continue;
        }
        if (c == '{' || c == '}') {
            ++pos_;
            return TokenOf(c == '{' ? RtfToken::GroupOpen : RtfToken::GroupClose);
        }
        return c == '\\' ? ReadControl() : ReadText();
    }
    return {};
}

RtfToken RtfTokenizer::ReadControl() {
    ++pos_;
    if (pos_ >= bytes_.size())
        return {};
    const char c = bytes_[pos_];
    if (IsLetter(c))
        return ReadWord();
    ++pos_;
    if (c == '\'')
        return ReadHex();
    RtfToken token = TokenOf(RtfToken::Symbol);
    // A backslash before a line end stands for a paragraph mark.
    token.symbol = c == '\r' || c == '\n' ? '\n' : c;
    return token;
}

RtfToken RtfTokenizer::ReadWord() {
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && IsLetter(bytes_[pos_]))
        ++pos_;
    RtfToken token = TokenOf(RtfToken::Word);
    token.name = bytes_.sliced(start, std::min(pos_ - start, kMaxWordLength));

    const bool negative = pos_ + 1 < bytes_.size() && bytes_[pos_] == '-' && IsDigit(bytes_[pos_ + 1]);
    if (negative)
        ++pos_;
    qint64 value = 0;
    while (pos_ < bytes_.size() && IsDigit(bytes_[pos_])) {
        token.hasParameter = true;
        value = std::min(value * 10 + (bytes_[pos_] - '0'), kParameterLimit);
        ++pos_;
    }
    if (negative)
        value = -value;
    token.parameter =
        int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    if (pos_ < bytes_.size() && bytes_[pos_] == ' ')
        ++pos_;
    if (token.name == "bin")
        return ReadBinary(token.hasParameter ? value : 0);
    return token;
}

RtfToken RtfTokenizer::ReadHex() {
    // Two hex digits; a cut or broken escape keeps the digits it has.
    int value = 0;
    for (int i = 0; i < 2 && pos_ < bytes_.size(); ++i) {
        const int digit = HexValue(bytes_[pos_]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++pos_;
    }
    RtfToken token = TokenOf(RtfToken::Hex);
    token.symbol = char(value);
    return token;
}

RtfToken RtfTokenizer::ReadText() {
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && !EndsText(bytes_[pos_]))
        ++pos_;
    RtfToken token = TokenOf(RtfToken::Text);
    token.name = bytes_.sliced(start, pos_ - start);
    return token;
}

RtfToken RtfTokenizer::ReadBinary(qint64 count) {
    const qsizetype size = qsizetype(std::clamp<qint64>(count, 0, bytes_.size() - pos_));
    RtfToken token = TokenOf(RtfToken::Binary);
    token.name = bytes_.sliced(pos_, size);
    pos_ += size;
    return token;
}

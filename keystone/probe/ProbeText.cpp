#include "ProbeText.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace qlx::probe {
namespace {

// Runs this long or longer are printed as a repeat.
constexpr std::size_t kShortestRun = 6;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    throw std::invalid_argument("bad %HH escape");
}

std::string DecodePercent(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            throw std::invalid_argument("bad %HH escape");
        decoded += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
        i += 2;
    }
    return decoded;
}

std::string Repeat(std::string_view body) {
    const std::size_t star = body.rfind('*');
    if (star == std::string_view::npos)
        throw std::invalid_argument("a repeat needs {text*count}");
    std::size_t count = 0;
    const std::string_view digits = body.substr(star + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw std::invalid_argument("bad repeat count");
    const std::string piece = DecodePercent(body.substr(0, star));
    std::string repeated;
    repeated.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        repeated += piece;
    return repeated;
}

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Length of the UTF-8 sequence at text[pos] with its code point in cp; 0 when it is not UTF-8
// (overlong forms and surrogates included).
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = (lead >> 5) == 0x06   ? 2
                               : (lead >> 4) == 0x0E ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || pos + length > text.size())
        return 0;
    cp = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// The printed form of each character of text, one entry per character.
std::vector<std::string> Tokens(std::string_view text, std::string_view also) {
    std::vector<std::string> tokens;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        char32_t cp = 0;
        std::size_t length = 0;
        if (byte >= 0x20 && byte < 0x7F && also.find(text[pos]) == std::string_view::npos)
            tokens.emplace_back(1, text[pos]);
        else if (byte >= 0x80 && (length = DecodeUtf8(text, pos, cp)) > 0)
            tokens.push_back(cp > 0xFFFF ? Hex("\\U%08X", cp) : Hex("\\u%04X", cp));
        else
            tokens.push_back(Hex("\\x%02X", byte));
        pos += length > 0 ? length : 1;
    }
    return tokens;
}

} // namespace

std::string DecodeArgument(std::string_view argument) {
    std::string decoded;
    for (std::size_t pos = 0; pos < argument.size();) {
        const std::size_t open = argument.find('{', pos);
        decoded += DecodePercent(argument.substr(pos, open - pos));
        if (open == std::string_view::npos)
            break;
        const std::size_t close = argument.find('}', open);
        if (close == std::string_view::npos)
            throw std::invalid_argument("a repeat needs its closing brace");
        decoded += Repeat(argument.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    return decoded;
}

std::string Escaped(std::string_view text, std::string_view also) {
    std::string escaped;
    for (const std::string& token : Tokens(text, also))
        escaped += token;
    return escaped;
}

std::string Quoted(std::string_view text) {
    const std::vector<std::string> tokens = Tokens(text, "\"\\{}");
    std::string quoted = "\"";
    for (std::size_t i = 0; i < tokens.size();) {
        std::size_t run = 1;
        while (i + run < tokens.size() && tokens[i + run] == tokens[i])
            ++run;
        if (run >= kShortestRun) {
            quoted += "{" + tokens[i] + "*" + std::to_string(run) + "}";
        } else {
            for (std::size_t k = 0; k < run; ++k)
                quoted += tokens[i];
        }
        i += run;
    }
    return quoted + "\"";
}

} // namespace qlx::probe

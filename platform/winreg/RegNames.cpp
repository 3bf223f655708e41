#include "RegNames.h"

#include <locale.h>
#include <wctype.h>

namespace qlx::winreg {
namespace {

// Length of the UTF-8 sequence at text[pos] with its code point in cp; 0 when it is not UTF-8.
std::size_t DecodeAt(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x06 ? 2
                               : (lead >> 4) == 0x0E ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || pos + length > text.size())
        return 0;
    cp = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Upper case independent of the user's locale; ASCII only when no UTF-8 locale is installed.
// Windows upper-cases UTF-16 units one by one, so a character beyond them keeps its case.
char32_t Upper(char32_t cp) {
    if (cp < 0x80)
        return cp >= 'a' && cp <= 'z' ? cp - ('a' - 'A') : cp;
    if (cp > 0xFFFF)
        return cp;
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return utf8 ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), utf8)) : cp;
}

} // namespace

std::string FoldName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeAt(name, pos, cp);
        if (length == 0) {
            folded += name[pos++];
        } else {
            AppendUtf8(folded, Upper(cp));
            pos += length;
        }
    }
    return folded;
}

std::size_t NameLength(std::string_view name) {
    std::size_t length = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        length += (byte & 0xC0) != 0x80;
        length += (byte & 0xF8) == 0xF0; // four bytes: two UTF-16 units
    }
    return length;
}

LONG SplitKeyPath(LPCSTR path, std::vector<std::string>& names) {
    names.clear();
    std::string_view rest = path ? path : "";
    if (rest.empty())
        return ERROR_SUCCESS;
    if (rest.front() == '\\')
        return ERROR_BAD_PATHNAME;
    while (rest.back() == '\\') // Windows takes any number of trailing backslashes
        rest.remove_suffix(1);
    for (;;) {
        const std::size_t end = rest.find('\\');
        const std::string_view name = rest.substr(0, end);
        if (name.empty())
            return ERROR_BAD_PATHNAME;
        if (NameLength(name) > kMaxKeyNameLength)
            return ERROR_INVALID_PARAMETER;
        names.emplace_back(name);
        if (end == std::string_view::npos)
            return ERROR_SUCCESS;
        rest.remove_prefix(end + 1);
    }
}

} // namespace qlx::winreg

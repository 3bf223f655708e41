#include "RtfKeywords.h"

#include <string_view>
#include <unordered_map>

namespace {

using Table = std::unordered_map<std::string_view, RtfKeyword>;

// Every underline style underlines.
constexpr std::string_view kUnderlines[] = {
    "uld",     "uldb",       "ulw",   "ulwave",   "uldash",  "uldashd",   "uldashdd",  "ulth",
    "ulhwave", "ululdbwave", "ulthd", "ulthdash", "ulldash", "ulthldash", "ulthdashd", "ulthdashdd"};

// Destinations whose content never shows: styles, document information, headers and footers,
// notes, index and contents entries, the alternative picture of a shape, embedded data, field
// instructions, and the parts of list and font definitions that are no text.
// clang-format off
constexpr std::string_view kSkipped[] = {
    "stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
    "footerf", "footnote", "annotation", "nonshppict", "xe", "tc", "txe", "rxe", "ftnsep", "ftnsepc",
    "ftncn", "aftnsep", "aftnsepc", "aftncn", "pnseclvl", "pntxta", "pntxtb", "objdata", "themedata",
    "colorschememapping", "template", "revtbl", "rsidtbl", "falt", "leveltext", "levelnumbers",
    "listname", "fldinst"};
// clang-format on

// The result of a field, the picture of a shape, the picture or text an embedded object shows, and
// the Unicode half of a pair of texts.
constexpr std::string_view kShown[] = {"field", "fldrslt", "shppict", "result", "ud"};
// An embedded object, and a pair of texts of which the first is for readers without Unicode.
constexpr std::string_view kWrappers[] = {"object", "upr"};

Table MakeTable() {
    Table table;
#define QLX_RTF_ENTRY(name) table.emplace(#name, RtfKeyword::name);
    QLX_RTF_KEYWORDS(QLX_RTF_ENTRY)
#undef QLX_RTF_ENTRY
    for (std::string_view name : kUnderlines)
        table.emplace(name, RtfKeyword::ul);
    for (std::string_view name : kSkipped)
        table.emplace(name, RtfKeyword::Skipped);
    for (std::string_view name : kShown)
        table.emplace(name, RtfKeyword::Shown);
    for (std::string_view name : kWrappers)
        table.emplace(name, RtfKeyword::Wrapper);
    table.emplace("striked", RtfKeyword::strike);
    table.emplace("levelnfcn", RtfKeyword::levelnfc);
    return table;
}

} // namespace

RtfKeyword RtfKeywords::Find(QByteArrayView name) {
    static const Table table = MakeTable();
    const auto found = table.find(std::string_view(name.data(), size_t(name.size())));
    return found == table.end() ? RtfKeyword::Unknown : found->second;
}

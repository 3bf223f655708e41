#include "RtfKeywords.h"

#include <QChar>

#include <string_view>
#include <unordered_map>

namespace {

using Table = std::unordered_map<std::string_view, RtfWord>;

constexpr std::pair<std::string_view, char16_t> kCharacters[] = {
    {"tab", u'\t'},           {"line", QChar::LineSeparator},
    {"emdash", u'\u2014'},    {"endash", u'\u2013'},
    {"emspace", u'\u2003'},   {"enspace", u'\u2002'},
    {"qmspace", u'\u2005'},   {"bullet", u'\u2022'},
    {"lquote", u'\u2018'},    {"rquote", u'\u2019'},
    {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
    {"zwj", u'\u200D'},       {"zwnj", u'\u200C'},
    {"zwbo", u'\u200B'},      {"ltrmark", u'\u200E'},
    {"rtlmark", u'\u200F'}};

// Every underline style underlines.
constexpr std::string_view kUnderlines[] = {
    "uld",     "uldb",       "ulw",   "ulwave",   "uldash",  "uldashd",   "uldashdd",  "ulth",
    "ulhwave", "ululdbwave", "ulthd", "ulthdash", "ulldash", "ulthldash", "ulthdashd", "ulthdashdd"};

// Destinations whose content never shows: styles, document information, annotations, index and
// contents entries, the alternative picture of a shape, embedded data, field
// instructions, the parts of list and font definitions that are no text, and the text that stands
// for nested tables in readers without them.
// clang-format off
constexpr std::string_view kSkipped[] = {
    "stylesheet", "info", "annotation", "nonshppict", "xe", "tc", "txe", "rxe", "ftnsep", "ftnsepc",
    "ftncn", "aftnsep", "aftnsepc", "aftncn", "pnseclvl", "pntxta", "pntxtb", "objdata", "themedata",
    "colorschememapping", "template", "revtbl", "rsidtbl", "falt", "leveltext", "levelnumbers",
    "listname", "fldinst", "nonesttables"};
// clang-format on

// The result of a field, the picture of a shape, the picture or text an embedded object shows, the
// Unicode half of a pair of texts.
constexpr std::string_view kShown[] = {"field", "fldrslt", "shppict", "result", "ud"};
// Headers, footers and footnotes: a document of one flow has no place for them.
constexpr std::string_view kNotes[] = {"header",  "headerl", "headerr", "headerf", "footer",
                                       "footerl", "footerr", "footerf", "footnote"};
// An embedded object, and a pair of texts of which the first is for readers without Unicode.
constexpr std::string_view kWrappers[] = {"object", "upr"};

Table MakeTable() {
    Table table;
#define QLX_RTF_ENTRY(name) table.emplace(#name, RtfWord{RtfKeyword::name});
    QLX_RTF_KEYWORDS(QLX_RTF_ENTRY)
#undef QLX_RTF_ENTRY
    for (std::string_view name : kUnderlines)
        table.emplace(name, RtfWord{RtfKeyword::ul});
    for (std::string_view name : kSkipped)
        table.emplace(name, RtfWord{RtfKeyword::Skipped});
    for (std::string_view name : kShown)
        table.emplace(name, RtfWord{RtfKeyword::Shown});
    for (std::string_view name : kNotes)
        table.emplace(name, RtfWord{RtfKeyword::Note});
    for (std::string_view name : kWrappers)
        table.emplace(name, RtfWord{RtfKeyword::Wrapper});
    for (const auto& [name, character] : kCharacters)
        table.emplace(name, RtfWord{RtfKeyword::Character, character});
    table.emplace("striked", RtfWord{RtfKeyword::strike});
    table.emplace("levelnfcn", RtfWord{RtfKeyword::levelnfc});
    return table;
}

} // namespace

RtfWord RtfKeywords::Find(QByteArrayView name) {
    static const Table table = MakeTable();
    const auto found = table.find(std::string_view(name.data(), size_t(name.size())));
    return found == table.end() ? RtfWord() : found->second;
}

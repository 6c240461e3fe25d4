#include "richtext/RtfKeywords.h"

#include <algorithm>
#include <array>

namespace rtf {
namespace {

struct Entry {
    std::string_view name;
    KeywordInfo info;
};

constexpr KeywordInfo k(Keyword w) {
    return {w, 0};
}
constexpr KeywordInfo ch(char16_t c) {
    return {Keyword::Character, c};
}
constexpr KeywordInfo skip = {Keyword::SkipDestination, 0};

// Sorted by name (byte order) for binary search; checked once in a debug build.
constexpr Entry kTable[] = {
    {"aftncn", skip},
    {"aftnsep", skip},
    {"aftnsepc", skip},
    {"annotation", skip},
    {"ansi", k(Keyword::Ansi)},
    {"ansicpg", k(Keyword::AnsiCodePage)},
    {"atnauthor", skip},
    {"atnid", skip},
    {"author", skip},
    {"b", k(Keyword::Bold)},
    {"background", skip},
    {"bin", k(Keyword::Bin)},
    {"bkmkend", skip},
    {"bkmkstart", skip},
    {"blue", k(Keyword::Blue)},
    {"bullet", ch(0x2022)},
    {"cell", k(Keyword::Cell)},
    {"cf", k(Keyword::ColorIndex)},
    {"colorschememapping", skip},
    {"colortbl", k(Keyword::ColorTable)},
    {"comment", skip},
    {"cpg", k(Keyword::FontCodePage)},
    {"creatim", skip},
    {"datastore", skip},
    {"deff", k(Keyword::DefaultFont)},
    {"docvar", skip},
    {"emdash", ch(0x2014)},
    {"emspace", ch(0x2003)},
    {"endash", ch(0x2013)},
    {"enspace", ch(0x2002)},
    {"f", k(Keyword::Font)},
    {"fbidi", k(Keyword::FontFamily)},
    {"fcharset", k(Keyword::FontCharset)},
    {"fdecor", k(Keyword::FontFamily)},
    {"filetbl", skip},
    {"fldinst", skip},
    {"fmodern", k(Keyword::FontFamily)},
    {"fnil", k(Keyword::FontFamily)},
    {"fonttbl", k(Keyword::FontTable)},
    {"footer", skip},
    {"footerf", skip},
    {"footerl", skip},
    {"footerr", skip},
    {"footnote", skip},
    {"froman", k(Keyword::FontFamily)},
    {"fs", k(Keyword::FontSize)},
    {"fscript", k(Keyword::FontFamily)},
    {"fswiss", k(Keyword::FontFamily)},
    {"ftech", k(Keyword::FontFamily)},
    {"ftncn", skip},
    {"ftnsep", skip},
    {"ftnsepc", skip},
    {"generator", skip},
    {"green", k(Keyword::Green)},
    {"header", skip},
    {"headerf", skip},
    {"headerl", skip},
    {"headerr", skip},
    {"i", k(Keyword::Italic)},
    {"info", skip},
    {"latentstyles", skip},
    {"ldblquote", ch(0x201C)},
    {"line", k(Keyword::Line)},
    {"listoverridetable", skip},
    {"listtable", skip},
    {"lquote", ch(0x2018)},
    {"ltrmark", ch(0x200E)},
    {"mac", k(Keyword::Mac)},
    {"mmathPr", skip},
    {"nestcell", k(Keyword::NestCell)},
    {"nestrow", k(Keyword::NestRow)},
    {"nesttableprops", k(Keyword::NestTableProps)},
    {"nonesttables", skip},
    {"nonshppict", skip},
    {"objdata", skip},
    {"object", skip},
    {"operator", skip},
    {"page", k(Keyword::Par)},
    {"par", k(Keyword::Par)},
    {"pard", k(Keyword::Pard)},
    {"pc", k(Keyword::Pc)},
    {"pca", k(Keyword::Pca)},
    {"pgdsctbl", skip},
    {"pict", skip},
    {"plain", k(Keyword::Plain)},
    {"pn", skip},
    {"printim", skip},
    {"private", skip},
    {"qc", k(Keyword::AlignCenter)},
    {"qd", k(Keyword::AlignJustify)},
    {"qj", k(Keyword::AlignJustify)},
    {"ql", k(Keyword::AlignLeft)},
    {"qmspace", ch(0x2005)},
    {"qr", k(Keyword::AlignRight)},
    {"rdblquote", ch(0x201D)},
    {"red", k(Keyword::Red)},
    {"revtbl", skip},
    {"revtim", skip},
    {"row", k(Keyword::Row)},
    {"rquote", ch(0x2019)},
    {"rsidtbl", skip},
    {"rtlmark", ch(0x200F)},
    {"rxe", skip},
    {"sect", k(Keyword::Par)},
    {"shp", skip},
    {"shpinst", skip},
    {"sn", skip},
    {"sp", skip},
    {"strike", k(Keyword::Strike)},
    {"striked", k(Keyword::Strike)},
    {"stylesheet", skip},
    {"subject", skip},
    {"sv", skip},
    {"tab", k(Keyword::Tab)},
    {"tc", skip},
    {"template", skip},
    {"themedata", skip},
    {"title", skip},
    {"txe", skip},
    {"u", k(Keyword::Unicode)},
    {"uc", k(Keyword::UnicodeSkip)},
    {"ud", k(Keyword::Ud)},
    {"ul", k(Keyword::Underline)},
    {"uld", k(Keyword::Underline)},
    {"uldash", k(Keyword::Underline)},
    {"uldashd", k(Keyword::Underline)},
    {"uldashdd", k(Keyword::Underline)},
    {"uldb", k(Keyword::Underline)},
    {"ulhwave", k(Keyword::Underline)},
    {"ulldash", k(Keyword::Underline)},
    {"ulnone", k(Keyword::UnderlineNone)},
    {"ulth", k(Keyword::Underline)},
    {"ulthd", k(Keyword::Underline)},
    {"ulthdash", k(Keyword::Underline)},
    {"ulthdashd", k(Keyword::Underline)},
    {"ulthdashdd", k(Keyword::Underline)},
    {"ulthldash", k(Keyword::Underline)},
    {"ululdbwave", k(Keyword::Underline)},
    {"ulw", k(Keyword::Underline)},
    {"ulwave", k(Keyword::Underline)},
    {"upr", k(Keyword::Upr)},
    {"userprops", skip},
    {"xe", skip},
    {"xmlnstbl", skip},
    {"zwbo", ch(0x200B)},
    {"zwj", ch(0x200D)},
    {"zwnj", ch(0x200C)},
};

constexpr bool sorted() {
    for (std::size_t i = 1; i < std::size(kTable); ++i)
        if (!(kTable[i - 1].name < kTable[i].name))
            return false;
    return true;
}
static_assert(sorted(), "keyword table must be sorted for binary search");

}  // namespace

KeywordInfo lookupKeyword(std::string_view name) {
    const auto *it = std::lower_bound(std::begin(kTable), std::end(kTable), name,
                                      [](const Entry &e, std::string_view n) { return e.name < n; });
    if (it != std::end(kTable) && it->name == name)
        return it->info;
    return {Keyword::Unknown, 0};
}

}  // namespace rtf

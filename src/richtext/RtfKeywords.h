#pragma once
// The RTF control words the reader acts on. Anything else is ignored with its parameter.

#include <string_view>

namespace rtf {

enum class Keyword {
    Unknown,
    // document and code pages
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Upr,
    Ud,
    Bin,
    // destinations
    FontTable,
    ColorTable,
    NestTableProps,
    SkipDestination,
    // font and colour tables
    Font,
    FontCharset,
    FontCodePage,
    FontFamily,
    Red,
    Green,
    Blue,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    ColorIndex,
    // paragraphs and breaks
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    Par,
    Line,
    Tab,
    Cell,
    Row,
    NestCell,
    NestRow,
    // a word that stands for one character (see keywordCharacter)
    Character,
};

struct KeywordInfo {
    Keyword keyword;
    char16_t character;  // for Keyword::Character
};

KeywordInfo lookupKeyword(std::string_view name);

}  // namespace rtf

// The RTF reader: a single pass over the bytes with a stack of group states. It never throws
// and never trusts a length: \bin counts are clamped to what remains, nesting deeper than
// kMaxDepth is skipped, and everything it keeps is proportional to the input.

#include "richtext/Rtf.h"
#include "richtext/RtfCodePages.h"
#include "richtext/RtfKeywords.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace {

using rtf::Keyword;

constexpr int kMaxDepth = 200;
constexpr int kMaxKeywordLength = 32;
constexpr int kDefaultHalfPoints = 24;  // RTF's default size, 12 pt
constexpr QRgb kAuto = 0xff000000;

enum class Destination : quint8 { Body, FontTable, ColorTable, NestTableProps };

struct GroupState {
    Destination destination = Destination::Body;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    bool bold = false, italic = false, underline = false, strikeout = false;
    bool uprPending = false;  // the next child group is the ANSI half of \upr: skip it
    int font = 0;             // font number as the file names it
    int halfPoints = kDefaultHalfPoints;
    int color = 0;  // colour table index
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int charset = 0;
    int codePage = 0;  // \cpg; 0 when the charset decides
};

struct PendingFont {
    bool open = false;
    int number = 0;
    FontEntry entry;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    explicit Reader(const QByteArray &data) : m_p(data.constData()), m_end(data.constData() + data.size()) {}
    RichText read();

private:
    // tokens
    void controlSequence();
    void controlWord();
    void controlSymbol(char c);
    void hexEscape();
    void skipBinary(int count);
    void skipGroupBody();
    void skipRestOfGroup();
    void openGroup();
    bool closeGroup();

    void dispatch(rtf::KeywordInfo info, bool hasParam, int param);
    void fontTableWord(Keyword keyword, bool hasParam, int param);

    // text
    void textBytes(const char *begin, const char *end);
    void addBytes(const char *begin, const char *end);
    void addUnit(char16_t unit);
    void flushBytes();
    void flushText();
    int codePage();
    const FontEntry *fontEntry(int number) const;
    const CharFormat &format();
    void endParagraph();
    void finishFont();
    void finishColor();
    void finish();

    const char *m_p;
    const char *m_end;
    std::vector<GroupState> m_stack;  // saved states of the enclosing groups
    GroupState m_state;
    bool m_ignorable = false;  // a \* was just read
    int m_fallbackToSkip = 0;  // \uc characters still to drop after a \u
    int m_pendingTabs = 0;     // cell separators waiting for the next text of the row

    int m_documentCodePage = rtf::kCodePage1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    PendingFont m_pendingFont;
    QList<QRgb> m_colors;  // 0 marks an empty ("auto") entry
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    QByteArray m_bytes;  // undecoded text bytes of a multi-byte or converter code page
    QString m_text;      // decoded text not yet in a run
    CharFormat m_format;
    bool m_formatDirty = true;

    QList<Paragraph> m_paragraphs;
    QList<TextRun> m_runs;
};

// --- tokens -------------------------------------------------------------------------------

RichText Reader::read() {
    while (m_p < m_end && *m_p != '{')
        ++m_p;
    if (m_p == m_end)
        return RichText();
    ++m_p;
    m_stack.push_back(m_state);
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            openGroup();
        } else if (c == '}') {
            ++m_p;
            if (!closeGroup())
                break;
        } else if (c == '\\') {
            ++m_p;
            controlSequence();
        } else if (c == '\r' || c == '\n') {
            ++m_p;
        } else {
            const char *begin = m_p;
            while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' && *m_p != '\n')
                ++m_p;
            m_ignorable = false;
            textBytes(begin, m_p);
        }
    }
    finish();
    RichText result;
    result.paragraphs = std::move(m_paragraphs);
    return result;
}

void Reader::openGroup() {
    flushText();
    m_fallbackToSkip = 0;
    m_ignorable = false;
    if (m_state.uprPending) {
        m_state.uprPending = false;
        skipGroupBody();
        return;
    }
    if (m_stack.size() >= kMaxDepth) {
        skipGroupBody();
        return;
    }
    m_stack.push_back(m_state);
}

// False when the brace closes the document group.
bool Reader::closeGroup() {
    flushText();
    m_fallbackToSkip = 0;
    m_ignorable = false;
    if (m_stack.size() <= 1)
        return false;
    if (m_state.destination == Destination::FontTable)
        finishFont();
    m_state = m_stack.back();
    m_stack.pop_back();
    m_formatDirty = true;
    return true;
}

// Consumes a group whose '{' is already read, up to and including its '}', honouring \bin
// and escaped braces.
void Reader::skipGroupBody() {
    int depth = 1;
    while (m_p < m_end) {
        const char c = *m_p++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                return;
        } else if (c == '\\' && m_p < m_end) {
            if (!isLetter(*m_p)) {
                ++m_p;
                continue;
            }
            const char *name = m_p;
            while (m_p < m_end && isLetter(*m_p))
                ++m_p;
            const bool bin = m_p - name == 3 && std::string_view(name, 3) == "bin";
            bool negative = false;
            if (m_p + 1 < m_end && *m_p == '-' && isDigit(m_p[1])) {
                negative = true;
                ++m_p;
            }
            qint64 value = 0;
            while (m_p < m_end && isDigit(*m_p)) {
                value = std::min<qint64>(value * 10 + (*m_p - '0'), std::numeric_limits<int>::max());
                ++m_p;
            }
            if (m_p < m_end && *m_p == ' ')
                ++m_p;
            if (bin && !negative)
                skipBinary(int(value));
        }
    }
}

void Reader::skipRestOfGroup() {
    skipGroupBody();
    if (m_stack.size() > 1) {
        m_state = m_stack.back();
        m_stack.pop_back();
        m_formatDirty = true;
    }
}

void Reader::skipBinary(int count) {
    const qsizetype remaining = m_end - m_p;
    m_p += std::min<qsizetype>(std::max(count, 0), remaining);
}

void Reader::controlSequence() {
    if (m_p == m_end)
        return;
    const char c = *m_p;
    if (isLetter(c))
        controlWord();
    else {
        ++m_p;
        controlSymbol(c);
    }
}

void Reader::controlWord() {
    const char *name = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    const qsizetype length = m_p - name;
    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (m_p < m_end && (isDigit(*m_p) || (*m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])))) {
        hasParam = true;
        if (*m_p == '-') {
            negative = true;
            ++m_p;
        }
        // Saturate instead of overflowing: some files carry numbers past 32 bits.
        while (m_p < m_end && isDigit(*m_p)) {
            value = std::min<qint64>(value * 10 + (*m_p - '0'), qint64(1) << 31);
            ++m_p;
        }
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    qint64 signedValue = negative ? -value : value;
    const int param = int(
        std::clamp<qint64>(signedValue, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    const std::string_view word(name, size_t(length));
    const rtf::KeywordInfo info =
        length <= kMaxKeywordLength ? rtf::lookupKeyword(word) : rtf::KeywordInfo{Keyword::Unknown, 0};
    if (m_fallbackToSkip > 0) {
        // A fallback may be a control word; it is dropped unread, but \bin data goes with it.
        --m_fallbackToSkip;
        if (info.keyword == Keyword::Bin)
            skipBinary(param);
        return;
    }
    dispatch(info, hasParam, param);
}

void Reader::controlSymbol(char c) {
    if (c == '\'') {
        hexEscape();
        return;
    }
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    switch (c) {
        case '\\':
        case '{':
        case '}': {
            m_ignorable = false;
            const char literal[1] = {c};
            if (m_state.destination == Destination::Body || m_state.destination == Destination::FontTable)
                addBytes(literal, literal + 1);
            break;
        }
        case '~':
            addUnit(0x00A0);
            break;
        case '-':
            addUnit(0x00AD);
            break;
        case '_':
            addUnit(0x2011);
            break;
        case '*':
            m_ignorable = true;
            break;
        case '\r':
        case '\n':
            dispatch({Keyword::Par, 0}, false, 0);
            break;
        default:
            break;  // \| \: and unknown symbols carry nothing we keep
    }
}

// \'hh: one byte. A broken escape is dropped; it still takes the two characters after the
// quote, unless one of them is structure (a brace or backslash).
void Reader::hexEscape() {
    int digits[2] = {-1, -1};
    for (int &d : digits) {
        if (m_p == m_end || *m_p == '\\' || *m_p == '{' || *m_p == '}')
            break;
        d = hexValue(*m_p++);
    }
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    m_ignorable = false;
    if (digits[0] < 0 || digits[1] < 0)
        return;
    const char byte = char(digits[0] * 16 + digits[1]);
    if (m_state.destination == Destination::Body || m_state.destination == Destination::FontTable)
        addBytes(&byte, &byte + 1);
}

// --- control words --------------------------------------------------------------------------

void Reader::dispatch(rtf::KeywordInfo info, bool hasParam, int param) {
    const Keyword keyword = info.keyword;
    const bool nested = m_stack.size() > 1;  // the document group itself is never skipped
    if (m_ignorable) {
        m_ignorable = false;
        if (keyword == Keyword::Ud)
            return;  // the Unicode half of \upr: read as usual
        if (keyword != Keyword::NestTableProps && nested) {
            flushText();
            skipRestOfGroup();
            return;
        }
    }
    if (keyword == Keyword::Unicode && !hasParam)
        return;  // a \u without its number (a cut file) stands for nothing
    if (keyword == Keyword::Character || keyword == Keyword::Unicode || keyword == Keyword::Tab ||
        keyword == Keyword::Line) {
        char16_t unit = info.character;
        if (keyword == Keyword::Tab)
            unit = u'\t';
        else if (keyword == Keyword::Line)
            unit = 0x2028;
        else if (keyword == Keyword::Unicode) {
            // Signed 16-bit: values above 32767 come negative.
            const int n = param < 0 ? param + 65536 : param;
            unit = (n < 0 || n > 0xFFFF) ? char16_t(0xFFFD) : char16_t(n);
        }
        addUnit(unit);
        if (keyword == Keyword::Unicode)
            m_fallbackToSkip = m_state.unicodeSkip;
        return;
    }

    flushText();
    if (m_state.destination == Destination::FontTable) {
        fontTableWord(keyword, hasParam, param);
        return;
    }
    switch (keyword) {
        case Keyword::Unknown:
            return;
        case Keyword::Ansi:
            m_documentCodePage = rtf::kCodePage1252;
            break;
        case Keyword::Mac:
            m_documentCodePage = 10000;
            break;
        case Keyword::Pc:
            m_documentCodePage = 437;
            break;
        case Keyword::Pca:
            m_documentCodePage = 850;
            break;
        case Keyword::AnsiCodePage:
            if (param > 0)
                m_documentCodePage = param;
            break;
        case Keyword::DefaultFont:
            m_defaultFont = param;
            m_state.font = param;
            break;
        case Keyword::UnicodeSkip:
            m_state.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 255);
            return;
        case Keyword::Upr:
            m_state.uprPending = true;
            return;
        case Keyword::Bin:
            skipBinary(param);
            return;
        case Keyword::FontTable:
            if (nested) {
                m_state.destination = Destination::FontTable;
                m_pendingFont = PendingFont();
            }
            return;
        case Keyword::ColorTable:
            if (nested) {
                m_state.destination = Destination::ColorTable;
                m_colorSet = false;
                m_red = m_green = m_blue = 0;
            }
            return;
        case Keyword::NestTableProps:
            if (nested)
                m_state.destination = Destination::NestTableProps;
            return;
        case Keyword::SkipDestination:
            if (nested)
                skipRestOfGroup();
            return;
        case Keyword::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorSet = true;
            return;
        case Keyword::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorSet = true;
            return;
        case Keyword::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorSet = true;
            return;
        case Keyword::FontFamily:
            // A font table entry outside the font table (seen in damaged files): read it as one.
            if (nested && m_state.destination == Destination::Body) {
                m_state.destination = Destination::FontTable;
                m_pendingFont = PendingFont{true, m_state.font, {}};
            }
            return;
        case Keyword::Font:
            m_state.font = hasParam ? param : 0;
            break;
        case Keyword::FontCharset:
        case Keyword::FontCodePage:
            return;
        case Keyword::Plain:
            m_state.font = m_defaultFont;
            m_state.halfPoints = kDefaultHalfPoints;
            m_state.bold = m_state.italic = m_state.underline = m_state.strikeout = false;
            m_state.color = 0;
            break;
        case Keyword::Bold:
            m_state.bold = !hasParam || param != 0;
            break;
        case Keyword::Italic:
            m_state.italic = !hasParam || param != 0;
            break;
        case Keyword::Underline:
            m_state.underline = !hasParam || param != 0;
            break;
        case Keyword::UnderlineNone:
            m_state.underline = false;
            break;
        case Keyword::Strike:
            m_state.strikeout = !hasParam || param != 0;
            break;
        case Keyword::FontSize:
            m_state.halfPoints = hasParam && param > 0 ? std::min(param, 32767) : kDefaultHalfPoints;
            break;
        case Keyword::ColorIndex:
            m_state.color = hasParam ? param : 0;
            break;
        case Keyword::Pard:
            m_state.alignment = ParagraphAlignment::Left;
            return;
        case Keyword::AlignLeft:
            m_state.alignment = ParagraphAlignment::Left;
            return;
        case Keyword::AlignCenter:
            m_state.alignment = ParagraphAlignment::Center;
            return;
        case Keyword::AlignRight:
            m_state.alignment = ParagraphAlignment::Right;
            return;
        case Keyword::AlignJustify:
            m_state.alignment = ParagraphAlignment::Justify;
            return;
        case Keyword::Par:
            if (m_state.destination == Destination::Body)
                endParagraph();
            return;
        case Keyword::Cell:
        case Keyword::NestCell:
            if (m_state.destination == Destination::Body)
                ++m_pendingTabs;
            return;
        case Keyword::Row:
        case Keyword::NestRow:
            // A row is one paragraph, its cells separated by tabs.
            if (m_state.destination == Destination::Body ||
                m_state.destination == Destination::NestTableProps)
                if (!m_runs.isEmpty() || m_pendingTabs > 0)
                    endParagraph();
            m_pendingTabs = 0;
            return;
        case Keyword::Ud:
        case Keyword::Unicode:
        case Keyword::Character:
        case Keyword::Tab:
        case Keyword::Line:
            return;
    }
    m_formatDirty = true;
}

void Reader::fontTableWord(Keyword keyword, bool hasParam, int param) {
    switch (keyword) {
        case Keyword::Font:
            finishFont();
            m_pendingFont = PendingFont{true, hasParam ? param : 0, {}};
            return;
        case Keyword::FontCharset:
            m_pendingFont.entry.charset = param;
            return;
        case Keyword::FontCodePage:
            m_pendingFont.entry.codePage = param;
            return;
        case Keyword::Bin:
            skipBinary(param);
            return;
        case Keyword::UnicodeSkip:
            m_state.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 255);
            return;
        case Keyword::SkipDestination:
            if (m_stack.size() > 1)
                skipRestOfGroup();
            return;
        case Keyword::Par:
        case Keyword::Pard:
        case Keyword::Plain:
            // Body text inside the font table (seen in damaged files): leave the table.
            finishFont();
            m_state.destination = Destination::Body;
            dispatch({keyword, 0}, hasParam, param);
            return;
        default:
            return;
    }
}

// --- text -----------------------------------------------------------------------------------

void Reader::textBytes(const char *begin, const char *end) {
    if (m_fallbackToSkip > 0) {
        const qsizetype n = std::min<qsizetype>(m_fallbackToSkip, end - begin);
        begin += n;
        m_fallbackToSkip -= int(n);
    }
    if (begin == end)
        return;
    switch (m_state.destination) {
        case Destination::Body:
            addBytes(begin, end);
            return;
        case Destination::FontTable:
            for (const char *s = begin; s < end; ++s) {
                if (*s == ';') {
                    addBytes(begin, s);
                    flushText();
                    finishFont();
                    begin = s + 1;
                }
            }
            addBytes(begin, end);
            return;
        case Destination::ColorTable:
            for (const char *s = begin; s < end; ++s)
                if (*s == ';')
                    finishColor();
            return;
        case Destination::NestTableProps:
            return;
    }
}

void Reader::addBytes(const char *begin, const char *end) {
    if (m_state.destination == Destination::FontTable && !m_pendingFont.open)
        return;
    const int page = codePage();
    const bool direct = m_state.destination == Destination::Body &&
                        (page == rtf::kCodePage1252 || page == rtf::kCodePageSymbol);
    for (const char *s = begin; s < end; ++s) {
        const auto byte = static_cast<unsigned char>(*s);
        if (byte < 0x20 && byte != '\t')
            continue;  // raw control bytes are not text
        if (direct)
            m_text.append(QChar(page == rtf::kCodePageSymbol ? char16_t(byte) : rtf::decode1252(byte)));
        else
            m_bytes.append(char(byte));
    }
}

void Reader::addUnit(char16_t unit) {
    m_ignorable = false;
    if (m_state.destination != Destination::Body && m_state.destination != Destination::FontTable)
        return;
    flushBytes();
    if (unit == u'\n' || unit == u'\r' || unit == 0x2029)
        unit = 0x2028;  // a run never breaks its paragraph
    if (m_state.destination == Destination::Body && unit >= 0xF020 && unit <= 0xF0FF &&
        format().charset == rtf::kSymbolCharset)
        unit -= 0xF000;  // a symbol font's code written in its private-use form
    if (m_state.destination == Destination::FontTable && !m_pendingFont.open)
        return;
    m_text.append(QChar(unit));
}

int Reader::codePage() {
    if (m_state.destination == Destination::FontTable) {
        if (m_pendingFont.entry.codePage > 0)
            return m_pendingFont.entry.codePage;
        return rtf::codePageForCharset(m_pendingFont.entry.charset, m_documentCodePage);
    }
    const FontEntry *font = fontEntry(m_state.font);
    if (!font)
        return m_documentCodePage;
    if (font->codePage > 0 && font->charset != rtf::kSymbolCharset)
        return font->codePage;
    return rtf::codePageForCharset(font->charset, m_documentCodePage);
}

void Reader::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    rtf::decodeBytes(codePage(), m_bytes, m_text);
    m_bytes.clear();
}

void Reader::flushText() {
    flushBytes();
    if (m_text.isEmpty())
        return;
    if (m_state.destination == Destination::FontTable) {
        if (m_pendingFont.open)
            m_pendingFont.entry.name += m_text;
    } else if (m_state.destination == Destination::Body) {
        if (m_pendingTabs > 0) {
            m_text.prepend(QString(m_pendingTabs, QLatin1Char('\t')));
            m_pendingTabs = 0;
        }
        const CharFormat &f = format();
        if (!m_runs.isEmpty() && m_runs.last().format == f)
            m_runs.last().text += m_text;
        else
            m_runs.append(TextRun{m_text, f});
    }
    m_text.clear();
}

const FontEntry *Reader::fontEntry(int number) const {
    auto it = m_fonts.constFind(number);
    if (it == m_fonts.cend())
        it = m_fonts.constFind(m_defaultFont);
    return it == m_fonts.cend() ? nullptr : &it.value();
}

const CharFormat &Reader::format() {
    if (!m_formatDirty)
        return m_format;
    CharFormat f;
    if (const FontEntry *font = fontEntry(m_state.font)) {
        f.family = font->name;
        f.charset = font->charset;
    }
    f.halfPoints = m_state.halfPoints;
    f.bold = m_state.bold;
    f.italic = m_state.italic;
    f.underline = m_state.underline;
    f.strikeout = m_state.strikeout;
    const QRgb color = m_state.color >= 0 && m_state.color < m_colors.size() ? m_colors[m_state.color] : 0;
    f.color = color ? color : kAuto;
    m_format = f;
    m_formatDirty = false;
    return m_format;
}

void Reader::endParagraph() {
    flushText();
    m_paragraphs.append(Paragraph{m_state.alignment, std::move(m_runs), format()});
    m_runs.clear();
    m_pendingTabs = 0;
}

void Reader::finishFont() {
    if (!m_pendingFont.open)
        return;
    flushText();
    FontEntry entry = m_pendingFont.entry;
    entry.name = entry.name.trimmed();
    if (!m_fonts.contains(m_pendingFont.number))  // the first of duplicate numbers counts
        m_fonts.insert(m_pendingFont.number, entry);
    m_pendingFont = PendingFont();
    m_formatDirty = true;
}

void Reader::finishColor() {
    m_colors.append(m_colorSet ? qRgb(m_red, m_green, m_blue) : 0);
    m_colorSet = false;
    m_red = m_green = m_blue = 0;
    m_formatDirty = true;
}

// Replaces lone UTF-16 surrogates (from broken \u pairs) with U+FFFD.
void repairSurrogates(QString &text) {
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); }))
        return;  // the usual case: no need to detach the string
    const qsizetype n = text.size();
    QChar *d = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i].isHighSurrogate() && i + 1 < n && d[i + 1].isLowSurrogate()) {
            ++i;
        } else if (d[i].isSurrogate()) {
            d[i] = QChar(QChar::ReplacementCharacter);
        }
    }
}

// The document's last paragraph ends with the document; text after the last \par is a
// paragraph of its own only when it has characters (a final \par is the last mark).
void Reader::finish() {
    flushText();
    if (m_state.destination == Destination::FontTable)
        finishFont();
    if (!m_runs.isEmpty() || m_paragraphs.isEmpty()) {
        m_state.destination = Destination::Body;
        endParagraph();
    }
    for (Paragraph &p : m_paragraphs)
        for (TextRun &run : p.runs)
            if (run.text.size())
                repairSurrogates(run.text);
}

}  // namespace

RichText readRtf(const QByteArray &rtf) {
    return Reader(rtf).read();
}

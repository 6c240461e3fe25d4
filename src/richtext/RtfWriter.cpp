// The RTF writer. Output is deterministic, 7-bit ASCII and compact: one font table entry per
// (family, charset) and one colour per distinct colour, in order of first use; the body is
// flat (no groups) and states only what changes from the previous character.

#include "richtext/Rtf.h"
#include "richtext/RtfCodePages.h"

namespace {

struct FontKey {
    QString family;
    int charset;
};

constexpr QRgb kAuto = 0xff000000;  // opaque black is the \cf0 "auto" colour

QRgb opaque(QRgb c) {
    return c | 0xff000000;
}

class Writer {
public:
    QByteArray write(const RichText &text);

private:
    void collect(const CharFormat &f);
    int fontIndex(const CharFormat &f) const;
    int colorIndex(QRgb c) const;

    void word(const char *w);
    void word(const char *w, int n);
    void appendInt(int n);
    void hexByte(int byte);
    void unicodeUnit(char16_t unit);
    void setFormat(const CharFormat &f);
    void setAlignment(ParagraphAlignment a);
    void text(const QString &s);

    QByteArray m_out;
    QList<FontKey> m_fonts;
    QList<QRgb> m_colors;
    bool m_needsDelimiter = false;
    bool m_inFontName = false;  // ';' ends a font table entry, so it is written as a byte

    // What a reader has in effect at the current position.
    int m_font = 0;
    int m_halfPoints = 24;
    bool m_bold = false, m_italic = false, m_underline = false, m_strikeout = false;
    int m_color = 0;
    ParagraphAlignment m_alignment = ParagraphAlignment::Left;
    int m_charset = 0;
};

void Writer::collect(const CharFormat &f) {
    if (fontIndex(f) < 0)
        m_fonts.append(FontKey{f.family, f.charset});
    if (opaque(f.color) != kAuto && colorIndex(f.color) == 0)
        m_colors.append(opaque(f.color));
}

int Writer::fontIndex(const CharFormat &f) const {
    for (qsizetype i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i].charset == f.charset && m_fonts[i].family == f.family)
            return int(i);
    return -1;
}

// 0 for auto, otherwise the 1-based colour table entry.
int Writer::colorIndex(QRgb c) const {
    c = opaque(c);
    if (c == kAuto)
        return 0;
    for (qsizetype i = 0; i < m_colors.size(); ++i)
        if (m_colors[i] == c)
            return int(i) + 1;
    return 0;
}

void Writer::appendInt(int n) {
    char buf[12];
    int len = 0;
    unsigned u = n < 0 ? 0u - unsigned(n) : unsigned(n);
    do {
        buf[len++] = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (n < 0)
        m_out.append('-');
    while (len)
        m_out.append(buf[--len]);
}

void Writer::word(const char *w) {
    m_out.append('\\').append(w);
    m_needsDelimiter = true;
}

void Writer::word(const char *w, int n) {
    m_out.append('\\').append(w);
    appendInt(n);
    m_needsDelimiter = true;
}

void Writer::hexByte(int byte) {
    static const char digits[] = "0123456789abcdef";
    m_out.append("\\'", 2).append(digits[(byte >> 4) & 15]).append(digits[byte & 15]);
    m_needsDelimiter = false;
}

// \uN takes a signed 16-bit N; the '?' is the fallback that \uc1 tells readers to skip.
void Writer::unicodeUnit(char16_t unit) {
    m_out.append("\\u", 2);
    appendInt(int(std::int16_t(unit)));
    m_out.append('?');
    m_needsDelimiter = false;
}

void Writer::setAlignment(ParagraphAlignment a) {
    if (a == m_alignment)
        return;
    m_alignment = a;
    switch (a) {
        case ParagraphAlignment::Left:
            word("ql");
            break;
        case ParagraphAlignment::Center:
            word("qc");
            break;
        case ParagraphAlignment::Right:
            word("qr");
            break;
        case ParagraphAlignment::Justify:
            word("qj");
            break;
    }
}

void Writer::setFormat(const CharFormat &f) {
    const int font = fontIndex(f);
    if (font != m_font) {
        word("f", font);
        m_font = font;
    }
    m_charset = f.charset;
    const int halfPoints = qBound(1, f.halfPoints, 32767);
    if (halfPoints != m_halfPoints) {
        word("fs", halfPoints);
        m_halfPoints = halfPoints;
    }
    if (f.bold != m_bold) {
        word(f.bold ? "b" : "b0");
        m_bold = f.bold;
    }
    if (f.italic != m_italic) {
        word(f.italic ? "i" : "i0");
        m_italic = f.italic;
    }
    if (f.underline != m_underline) {
        word(f.underline ? "ul" : "ulnone");
        m_underline = f.underline;
    }
    if (f.strikeout != m_strikeout) {
        word(f.strikeout ? "strike" : "strike0");
        m_strikeout = f.strikeout;
    }
    const int color = colorIndex(f.color);
    if (color != m_color) {
        word("cf", color);
        m_color = color;
    }
}

void Writer::text(const QString &s) {
    const bool symbol = m_charset == rtf::kSymbolCharset;
    const bool ansi = m_charset == 0 || m_charset == 1;  // fonts read through the 1252 page
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        int byte = -1;
        if (c >= 0x20 && c < 0x7F) {
            if (c == ';' && m_inFontName) {
                hexByte(c);
                continue;
            }
            if (c == '\\' || c == '{' || c == '}') {
                m_out.append('\\').append(char(c));
                m_needsDelimiter = false;
                continue;
            }
            if (m_needsDelimiter && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                     (c >= '0' && c <= '9') || c == ' ' || c == '-'))
                m_out.append(' ');
            m_out.append(char(c));
            m_needsDelimiter = false;
            continue;
        }
        if (c == '\t') {
            word("tab");
            continue;
        }
        if (c == 0x2028 || c == '\n' || c == '\r' || c == 0x2029) {
            word("line");
            continue;
        }
        if (symbol) {
            if (c >= 0x20 && c <= 0xFF)
                byte = c;
            else if (c >= 0xF020 && c <= 0xF0FF)
                byte = c - 0xF000;
        } else if (ansi && c >= 0x80) {
            byte = rtf::encode1252(c);
        }
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '{' && byte != '}') {
            if (m_needsDelimiter)
                m_out.append(' ');
            m_out.append(char(byte));
            m_needsDelimiter = false;
        } else if (byte >= 0) {
            hexByte(byte);
        } else {
            unicodeUnit(c);
        }
    }
}

QByteArray Writer::write(const RichText &content) {
    qsizetype characters = 0;
    for (const Paragraph &p : content.paragraphs) {
        for (const TextRun &run : p.runs) {
            if (run.text.isEmpty())
                continue;  // written nowhere, so its font and colour are not listed either
            collect(run.format);
            characters += run.text.size();
        }
        collect(p.markFormat);
    }
    m_out.reserve(160 + 64 * m_fonts.size() + 20 * m_colors.size() + 16 * content.paragraphs.size() +
                  2 * characters);

    m_out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out.append("{");
        word("f", int(i));
        word("fnil");
        word("fcharset", m_fonts[i].charset);
        m_out.append(' ');
        m_needsDelimiter = false;
        // A reader decodes a font's name in that font's own code page.
        m_charset = m_fonts[i].charset;
        m_inFontName = true;
        text(m_fonts[i].family);
        m_inFontName = false;
        m_out.append(";}");
    }
    m_out.append('}');
    if (!m_colors.isEmpty()) {
        m_out.append("{\\colortbl ;");
        for (QRgb c : m_colors) {
            word("red", qRed(c));
            word("green", qGreen(c));
            word("blue", qBlue(c));
            m_out.append(';');
        }
        m_out.append('}');
    }
    m_needsDelimiter = false;
    m_charset = m_fonts.isEmpty() ? 0 : m_fonts.first().charset;

    const qsizetype count = content.paragraphs.size();
    for (qsizetype i = 0; i < count; ++i) {
        const Paragraph &p = content.paragraphs[i];
        setAlignment(p.alignment);
        for (const TextRun &run : p.runs) {
            if (run.text.isEmpty())
                continue;
            setFormat(run.format);
            text(run.text);
        }
        setFormat(p.markFormat);
        // A reader ends the document's last paragraph at the closing brace; a \par there
        // would only be the final paragraph mark. An empty last paragraph needs its own mark.
        const bool last = i + 1 == count;
        bool hasText = false;
        for (const TextRun &run : p.runs)
            hasText = hasText || !run.text.isEmpty();
        if (!last || (count > 1 && !hasText))
            word("par");
    }
    m_out.append('}');
    return m_out;
}

}  // namespace

QByteArray writeRtf(const RichText &text) {
    return Writer().write(text);
}

#include "richtext/RichText.h"

RichText::RichText() : paragraphs{Paragraph{}} {}

RichText RichText::fromPlainText(const QString &text, const CharFormat &format) {
    RichText result;
    result.paragraphs.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        Paragraph paragraph;
        paragraph.markFormat = format;
        if (!line.isEmpty())
            paragraph.runs.append(TextRun{line, format});
        result.paragraphs.append(paragraph);
    }
    return result;
}

bool RichText::IsEmpty() const {
    if (paragraphs.size() != 1)
        return false;
    for (const TextRun &run : paragraphs.first().runs)
        if (!run.text.isEmpty())
            return false;
    return true;
}

QString RichText::toPlainText() const {
    QString out;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i)
            out += QLatin1Char('\n');
        for (const TextRun &run : paragraphs[i].runs)
            out += run.text;
    }
    return out;
}

namespace {

CharFormat normalizedFormat(CharFormat f) {
    f.color |= 0xff000000;
    f.halfPoints = qBound(1, f.halfPoints, 32767);
    f.family = f.family.trimmed();
    return f;
}

QString normalizedText(const QString &text, bool symbol) {
    QString out = text;
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = out[i].unicode();
        if (c == u'\n' || c == u'\r' || c == 0x2029) {
            out[i] = QChar(0x2028);
        } else if (symbol && c >= 0xF020 && c <= 0xF0FF) {
            out[i] = QChar(char16_t(c - 0xF000));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return out;
}

}  // namespace

RichText RichText::normalized() const {
    RichText result;
    result.paragraphs.clear();
    for (const Paragraph &p : paragraphs) {
        Paragraph q;
        q.alignment = p.alignment;
        q.markFormat = normalizedFormat(p.markFormat);
        for (const TextRun &run : p.runs) {
            if (run.text.isEmpty())
                continue;
            const CharFormat f = normalizedFormat(run.format);
            const QString text = normalizedText(run.text, f.charset == 2);
            if (!q.runs.isEmpty() && q.runs.last().format == f)
                q.runs.last().text += text;
            else
                q.runs.append(TextRun{text, f});
        }
        result.paragraphs.append(q);
    }
    if (result.paragraphs.isEmpty())
        result.paragraphs.append(Paragraph{});
    return result;
}

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

#pragma once
// Small builders for RichText values and a readable dump, so a failed comparison shows which
// paragraph, run or format differs.

#include "richtext/RichText.h"

#include <QTest>

namespace rtftest {

inline CharFormat fmt(int halfPoints = 20, const QString &family = QStringLiteral("Arial")) {
    CharFormat f;
    f.family = family;
    f.halfPoints = halfPoints;
    return f;
}
inline CharFormat bold(CharFormat f) {
    f.bold = true;
    return f;
}
inline CharFormat italic(CharFormat f) {
    f.italic = true;
    return f;
}
inline CharFormat underline(CharFormat f) {
    f.underline = true;
    return f;
}
inline CharFormat strike(CharFormat f) {
    f.strikeout = true;
    return f;
}
inline CharFormat colored(CharFormat f, QRgb c) {
    f.color = c;
    return f;
}
inline CharFormat charset(CharFormat f, int cs) {
    f.charset = cs;
    return f;
}
inline CharFormat symbolFont(int halfPoints = 20) {
    return charset(fmt(halfPoints, QStringLiteral("Symbol")), 2);
}

inline Paragraph para(QList<TextRun> runs, CharFormat mark = fmt(),
                      ParagraphAlignment a = ParagraphAlignment::Left) {
    Paragraph p;
    p.runs = std::move(runs);
    p.markFormat = mark;
    p.alignment = a;
    return p;
}
// A paragraph whose mark has the format of its last run.
inline Paragraph line(QList<TextRun> runs, ParagraphAlignment a = ParagraphAlignment::Left) {
    const CharFormat mark = runs.isEmpty() ? fmt() : runs.last().format;
    return para(std::move(runs), mark, a);
}
inline RichText doc(QList<Paragraph> paragraphs) {
    RichText t;
    t.paragraphs = std::move(paragraphs);
    return t;
}

inline QString describe(const CharFormat &f) {
    return QStringLiteral("%1/cs%2/%3hp%4%5%6%7/#%8")
        .arg(f.family)
        .arg(f.charset)
        .arg(f.halfPoints)
        .arg(f.bold ? "/b" : "", f.italic ? "/i" : "", f.underline ? "/u" : "", f.strikeout ? "/s" : "")
        .arg(f.color, 8, 16, QLatin1Char('0'));
}

inline QString describe(const RichText &t) {
    QString out;
    for (const Paragraph &p : t.paragraphs) {
        out += QStringLiteral("\n  [al%1 mark %2]").arg(int(p.alignment)).arg(describe(p.markFormat));
        for (const TextRun &r : p.runs) {
            QString escaped;
            for (QChar c : r.text)
                escaped += (c.unicode() >= 0x20 && c.unicode() < 0x7f)
                               ? QString(c)
                               : QStringLiteral("<%1>").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            out += QStringLiteral(" {%1 \"%2\"}").arg(describe(r.format), escaped);
        }
    }
    return out;
}

}  // namespace rtftest

inline char *toString(const RichText &t) {
    return QTest::toString(rtftest::describe(t));
}

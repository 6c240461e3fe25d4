#pragma once
// Real label texts shared by the layout, editor and toolbar tests: each one exercises a way a
// line can break or a height can come out differently on different devices.

#include "richtext/RichText.h"

#include <QList>

namespace labelcases {

inline CharFormat face(const QString &family, int points, bool bold = false, bool italic = false) {
    CharFormat format;
    format.family = family;
    format.halfPoints = points * 2;
    format.bold = bold;
    format.italic = italic;
    return format;
}

inline Paragraph paragraph(QList<TextRun> runs, ParagraphAlignment alignment = ParagraphAlignment::Left) {
    Paragraph p;
    p.alignment = alignment;
    p.markFormat = runs.isEmpty() ? CharFormat{} : runs.last().format;
    p.runs = std::move(runs);
    return p;
}

inline RichText text(QList<Paragraph> paragraphs) {
    RichText t;
    t.paragraphs = std::move(paragraphs);
    return t;
}

struct LabelCase {
    const char *name;
    RichText text;
    int widthThou;  // writable width of the label
};

inline QList<LabelCase> cases() {
    const CharFormat arial10 = face(QStringLiteral("Arial"), 10);
    CharFormat symbol = face(QStringLiteral("Symbol"), 12);
    symbol.charset = 2;
    CharFormat red = face(QStringLiteral("Times New Roman"), 11, false, true);
    red.color = qRgb(0x80, 0, 0);
    return {
        {"long address wraps",
         text({paragraph({{QStringLiteral("Mr Bartholomew Featherstonehaugh-Winterbottom III"), arial10}}),
               paragraph({{QStringLiteral("Flat 56B, 1234 Extraordinarily Long Boulevard of the Nations"),
                           arial10}}),
               paragraph({{QStringLiteral("Kingston upon Thames, Greater London KT1 2AB, United Kingdom"),
                           arial10}})}),
         2500},
        {"mixed sizes",
         text({paragraph({{QStringLiteral("Harbour Lights Chandlery"),
                           face(QStringLiteral("Times New Roman"), 16, true)}},
                         ParagraphAlignment::Center),
               paragraph({{QStringLiteral("Unit 7, The Old Boatyard, "), face(QStringLiteral("Arial"), 8)},
                          {QStringLiteral("Quayside Road"), red},
                          {QStringLiteral(" Falmouth TR11 3XX"), face(QStringLiteral("Courier New"), 12)}}),
               paragraph({{QStringLiteral("Tel 01326 555 0192 / Fax 01326 555 0193"),
                           face(QStringLiteral("Arial"), 9)}})}),
         2625},
        {"symbol-font character",
         text({paragraph({{QStringLiteral("Phone "), arial10},
                          {QString(QChar(0x00a8)), symbol},
                          {QStringLiteral(" 0161 496 0000 between nine and five on weekdays"), arial10}}),
               paragraph({{QStringLiteral("Manchester M1 1AE"), face(QStringLiteral("Arial"), 14, true)}})}),
         2000},
        {"right- and centre-aligned lines",
         text({paragraph({{QStringLiteral("PRIORITY"), face(QStringLiteral("Arial"), 12, true)}},
                         ParagraphAlignment::Right),
               paragraph({{QStringLiteral("Professor Anneliese von Hohenzollern-Sigmaringen"), arial10}},
                         ParagraphAlignment::Center),
               paragraph(
                   {{QStringLiteral("Department of Applied Mathematics and Theoretical Physics"), arial10}},
                   ParagraphAlignment::Center),
               paragraph({{QStringLiteral("Cambridge CB3 0WA"), arial10}}, ParagraphAlignment::Right)}),
         2625},
    };
}

}  // namespace labelcases

#pragma once
// A label's content as a plain value: paragraphs of formatted runs. Copying a RichText copies
// the whole text and every format, which is how content moves between the editor, the label
// storage and the painter.

#include <QColor>
#include <QList>
#include <QString>

enum class ParagraphAlignment { Left, Center, Right, Justify };

struct CharFormat {
    QString family = QStringLiteral("Arial");
    int halfPoints = 20;  // font size in half points, as RTF's \fs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    QRgb color = 0xff000000;  // opaque black
    // RTF \fcharset of the font: 0 ANSI, 2 symbol (characters are the font's own codes,
    // kept as U+0020..U+00FF), others as in the font table they came from.
    int charset = 0;

    qreal pointSize() const { return halfPoints / 2.0; }
    bool operator==(const CharFormat &) const = default;
};

struct TextRun {
    QString text;  // never contains paragraph breaks
    CharFormat format;
    bool operator==(const TextRun &) const = default;
};

struct Paragraph {
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    QList<TextRun> runs;
    // Format of the paragraph mark: what an empty paragraph is measured and typed in.
    CharFormat markFormat;
    bool operator==(const Paragraph &) const = default;
};

class RichText {
public:
    RichText();  // one empty paragraph
    static RichText fromPlainText(const QString &text, const CharFormat &format = {});

    // True exactly when the text is a single paragraph without characters.
    bool IsEmpty() const;
    QString toPlainText() const;  // paragraphs joined with '\n'

    // The same text in the one form that RTF keeps: empty runs dropped, neighbouring runs of
    // equal format merged, colours opaque, sizes within 1..32767 half points, font names
    // without surrounding blanks, breaks inside a run as U+2028, lone surrogates as U+FFFD,
    // and symbol-font codes U+F020..U+F0FF as U+0020..U+00FF. readRtf(writeRtf(t)) equals
    // t.normalized(), and equals t itself for every text the editor produces.
    RichText normalized() const;

    QList<Paragraph> paragraphs;  // never empty

    bool operator==(const RichText &) const = default;
};

#include "richtext/LabelTextLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {

// The device every label document is laid out against: 96 dots per inch, whatever the
// screen reports, so the font sizes in reference units are the same on every machine.
QPaintDevice *referenceDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(kReferenceUnitsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// Runs never carry paragraph breaks: one inside a run becomes a line break (U+2028), as RTF
// keeps it, instead of a new block; frame marks become blanks, and object replacement
// characters (pictures) are dropped.
QString runText(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        switch (ch.unicode()) {
            case u'\n':
            case u'\r':
            case 0x2029:  // paragraph separator
                out += QChar(QChar::LineSeparator);
                break;
            case 0xfdd0:  // beginning of frame
            case 0xfdd1:  // end of frame
                out += QLatin1Char(' ');
                break;
            case 0xfffc:  // object replacement
                break;
            default:
                out += ch;
        }
    }
    return out;
}

}  // namespace

ParagraphAlignment alignmentOf(const QTextBlockFormat &format) {
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return ParagraphAlignment::Center;
    if (horizontal & Qt::AlignJustify)
        return ParagraphAlignment::Justify;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
        return ParagraphAlignment::Right;
    return ParagraphAlignment::Left;
}

QTextBlockFormat blockFormat(ParagraphAlignment alignment) {
    QTextBlockFormat format;
    switch (alignment) {
        case ParagraphAlignment::Left:
            format.setAlignment(Qt::AlignLeft);
            break;
        case ParagraphAlignment::Center:
            format.setAlignment(Qt::AlignHCenter);
            break;
        case ParagraphAlignment::Right:
            format.setAlignment(Qt::AlignRight);
            break;
        case ParagraphAlignment::Justify:
            format.setAlignment(Qt::AlignJustify);
            break;
    }
    return format;
}

void configureLabelDocument(QTextDocument &doc) {
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setUseDesignMetrics(true);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    doc.documentLayout()->setPaintDevice(referenceDevice());
}

QTextCharFormat textCharFormat(const CharFormat &format) {
    QTextCharFormat out;
    if (!format.family.isEmpty())
        out.setFontFamilies(QStringList{format.family});
    out.setFontPointSize(qBound(1, format.halfPoints, 32767) / 2.0);
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    out.setFontStrikeOut(format.strikeout);
    out.setForeground(QColor(qRed(format.color), qGreen(format.color), qBlue(format.color)));
    if (format.charset != 0)
        out.setProperty(kCharsetProperty, format.charset);
    return out;
}

CharFormat charFormatFromText(const QTextCharFormat &format) {
    CharFormat out;
    QString family = format.fontFamilies().toStringList().value(0);
    if (family.isEmpty())
        family = format.stringProperty(QTextFormat::FontFamily);
    if (!family.isEmpty())
        out.family = family;
    if (format.fontPointSize() > 0)
        out.halfPoints = qBound(1, qRound(format.fontPointSize() * 2), 32767);
    out.bold = format.fontWeight() >= QFont::DemiBold;
    out.italic = format.fontItalic();
    out.underline = format.fontUnderline();
    out.strikeout = format.fontStrikeOut();
    const QBrush brush = format.foreground();
    if (brush.style() != Qt::NoBrush)
        out.color = brush.color().rgb();  // opaque
    out.charset = format.intProperty(kCharsetProperty);
    return out;
}

void fillDocument(QTextDocument &doc, const RichText &text) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();

    const QList<Paragraph> fallback{Paragraph{}};
    const QList<Paragraph> &paragraphs = text.paragraphs.isEmpty() ? fallback : text.paragraphs;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const Paragraph &paragraph = paragraphs[i];
        const QTextBlockFormat block = blockFormat(paragraph.alignment);
        const QTextCharFormat mark = textCharFormat(paragraph.markFormat);
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const TextRun &run : paragraph.runs) {
            const QString chars = runText(run.text);
            if (!chars.isEmpty())
                cursor.insertText(chars, textCharFormat(run.format));
        }
    }
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
}

RichText richTextFromDocument(const QTextDocument &doc) {
    RichText out;
    out.paragraphs.clear();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph;
        paragraph.alignment = alignmentOf(block.blockFormat());
        paragraph.markFormat = charFormatFromText(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString chars = fragment.text();
            chars.remove(QChar(0xfffc));
            if (chars.isEmpty())
                continue;
            const CharFormat format = charFormatFromText(fragment.charFormat());
            if (!paragraph.runs.isEmpty() && paragraph.runs.last().format == format)
                paragraph.runs.last().text += chars;
            else
                paragraph.runs.append(TextRun{chars, format});
        }
        out.paragraphs.append(paragraph);
    }
    if (out.paragraphs.isEmpty())
        out.paragraphs.append(Paragraph{});
    return out;
}

qreal labelDocumentHeight(const QTextDocument &doc) {
    const QTextBlock last = doc.lastBlock();
    // Asking for the block's rectangle lays the document out as far as that block.
    const QRectF bounds = doc.documentLayout()->blockBoundingRect(last);
    const QTextLayout *layout = last.layout();
    if (!layout || layout->lineCount() == 0)
        return bounds.bottom();
    const QTextLine line = layout->lineAt(layout->lineCount() - 1);
    return layout->position().y() + line.y() + line.height();
}

void paintWholeLines(QPainter &painter, const QTextDocument &doc, qreal maxHeight) {
    // Small slack for the 1/64-unit fixed point of the line positions.
    const qreal limit = maxHeight + 1e-6;
    bool first = true;
    painter.save();
    painter.setPen(Qt::black);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        doc.documentLayout()->blockBoundingRect(block);  // lays out up to this block
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        const QPointF origin = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (!first && origin.y() + line.y() + line.height() > limit) {
                painter.restore();
                return;
            }
            first = false;
            line.draw(&painter, origin);
        }
    }
    painter.restore();
}

LabelTextLayout::LabelTextLayout(const RichText &text, int widthThou)
    : m_doc(std::make_unique<QTextDocument>()) {
    configureLabelDocument(*m_doc);
    m_doc->setTextWidth(referenceUnitsFromThou(qMax(0, widthThou)));
    fillDocument(*m_doc, text);
}

LabelTextLayout::~LabelTextLayout() = default;

qreal LabelTextLayout::heightThou() const {
    return thouFromReferenceUnits(labelDocumentHeight(*m_doc));
}

void LabelTextLayout::paint(QPainter &painter, const QRect &rect, qreal unitsPerInch) const {
    if (!(unitsPerInch > 0) || !std::isfinite(unitsPerInch))
        return;
    const qreal scale = unitsPerInch / kReferenceUnitsPerInch;
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    paintWholeLines(painter, *m_doc, rect.height() / scale);
    painter.restore();
}

QTextDocument &LabelTextLayout::document() const {
    return *m_doc;
}

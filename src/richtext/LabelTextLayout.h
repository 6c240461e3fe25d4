#pragma once
// One layout of a label's text for screen, editor and paper. The text is laid out once at
// true size, device-independently (design metrics, 96 reference units per inch, wrapped to
// the writable width), and that one layout is painted scaled onto any device. So a line
// breaks at the same word on screen at every magnification and on every printer, and the
// overflow test gives the same answer everywhere.

#include "richtext/RichText.h"

#include <QRect>
#include <QTextFormat>
#include <memory>

class QPainter;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;

constexpr qreal kReferenceUnitsPerInch = 96.0;

// Reference units (1/96 inch) for a length in thousandths of an inch, and back.
constexpr qreal referenceUnitsFromThou(qreal thou) {
    return thou * kReferenceUnitsPerInch / 1000.0;
}
constexpr qreal thouFromReferenceUnits(qreal units) {
    return units * 1000.0 / kReferenceUnitsPerInch;
}

class LabelTextLayout {
public:
    // widthThou: the writable width of the label, thousandths of an inch.
    LabelTextLayout(const RichText &text, int widthThou);
    ~LabelTextLayout();
    LabelTextLayout(const LabelTextLayout &) = delete;
    LabelTextLayout &operator=(const LabelTextLayout &) = delete;

    // Height of the formatted text (bottom of its last line), thousandths of an inch.
    qreal heightThou() const;
    // True when the text fits a writable area heightThou high.
    bool fits(int heightThou) const { return heightThou >= this->heightThou(); }

    // Paints into rect of the painter's device, where one inch is unitsPerInch device units
    // (screen: pixels per inch × magnification / 100; paper: the printer's dots per inch).
    // Whole lines only: stops before the first line that does not fit rect's height, but the
    // first line is always painted. Paints no background. Lines are not wrapped to rect's
    // width: they keep the breaks of the true-size layout.
    void paint(QPainter &painter, const QRect &rect, qreal unitsPerInch) const;

    QTextDocument &document() const;  // the laid-out document, in reference units

private:
    std::unique_ptr<QTextDocument> m_doc;
};

// A paragraph format holding just the alignment; the editor merges it into the selection.
QTextBlockFormat blockFormat(ParagraphAlignment alignment);
// The alignment a paragraph format holds; anything else reads as left.
ParagraphAlignment alignmentOf(const QTextBlockFormat &format);

// Height (bottom of the last line) of a label document, in reference units.
qreal labelDocumentHeight(const QTextDocument &doc);

// Paints the lines of doc whose bottom lies within maxHeight reference units (the first line
// always) with the painter's current transform, which maps reference units to the device.
void paintWholeLines(QPainter &painter, const QTextDocument &doc, qreal maxHeight);

// Makes doc a label document: design metrics at 96 reference units per inch whatever the
// screen, no document margin, wrap at word boundaries (anywhere inside a word too long for a
// line), default font Arial 10 pt. The editor's document gets the same treatment so its line
// breaks are those of the painter.
void configureLabelDocument(QTextDocument &doc);

// Conversion between the value and Qt's document, shared by the layout and the editor.
// fillDocument replaces the whole content of doc.
void fillDocument(QTextDocument &doc, const RichText &text);
RichText richTextFromDocument(const QTextDocument &doc);

// One character format each way. The RTF charset travels in kCharsetProperty (absent for 0),
// so a symbol font's codes stay marked as such through editing and copying.
constexpr int kCharsetProperty = QTextFormat::UserProperty + 0x51;
QTextCharFormat textCharFormat(const CharFormat &format);
CharFormat charFormatFromText(const QTextCharFormat &format);

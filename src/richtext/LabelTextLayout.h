#pragma once
// One layout of a label's text for screen, editor and paper. The text is laid out once at
// true size, device-independently (design metrics, 96 reference units per inch, wrapped to
// the writable width), and that one layout is painted scaled onto any device. So a line
// breaks at the same word on screen at every magnification and on every printer, and the
// overflow test gives the same answer everywhere.

#include "richtext/RichText.h"

#include <QRect>
#include <memory>

class QPainter;
class QTextDocument;

constexpr qreal kReferenceUnitsPerInch = 96.0;

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
    // first line is always painted. Paints no background.
    void paint(QPainter &painter, const QRect &rect, qreal unitsPerInch) const;

    QTextDocument &document() const;  // the laid-out document, in reference units

private:
    std::unique_ptr<QTextDocument> m_doc;
};

// Conversion between the value and Qt's document, shared by the layout and the editor.
void fillDocument(QTextDocument &doc, const RichText &text);
RichText richTextFromDocument(const QTextDocument &doc);

#pragma once
// Where the page and its labels lie on screen, as pure arithmetic of (layout, screen pixels per
// inch, magnification in percent). Every conversion is an exact integer quotient truncated toward
// zero, so screen positions never drift with rounding. The printer places labels by the same
// rule in its own units; only the screen's rules live here.
//
// Rectangles: a QRect holds a label rectangle as (x, y, width, height) where x and y are its left
// and top edges (inside) and x + width, y + height its right and bottom edges, which lie outside
// the shape. So QRect::contains is exactly the click test, and a rectangle that is "all zero"
// is QRect().

#include "sheet/LayoutRecord.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <cstdint>

struct TCellRects {
    QRect rTotal;  // the label's outline
    QRect rFree;   // its writable area
    bool operator==(const TCellRects &) const = default;
};

namespace PageGeometry {

// Coordinates are clamped to ±kCoordinateLimit so that sums and sizes of any layout read from a
// file stay far inside int, and a panel side is at most kMaxPanelSide pixels so that no layout
// can make the page image allocate without bound (8192 px is 85 inches at 96 pixels per inch).
constexpr int kCoordinateLimit = 1 << 24;
constexpr int kMaxPanelSide = 8192;
// A screen that reports no usable resolution is taken as 96 pixels per inch.
constexpr int kFallbackPixelsPerInch = 96;

// v thousandths of an inch in pixels: trunc(v × ppi / 1000).
int ScreenPixels(std::int64_t thou, int ppi);
// p pixels of a 96-per-inch screen in pixels of this screen: trunc(p × ppi / 96).
int DesignPixels(std::int64_t p, int ppi);
// p pixels at the magnification: trunc(p × percent / 100).
int Zoomed(std::int64_t p, int magnification);

// The screen's scale, bundling the three conversions for a layout's lengths.
struct ScreenScale {
    int ppi = kFallbackPixelsPerInch;
    int magnification = 100;
    int Z(std::int64_t thou) const { return Zoomed(ScreenPixels(thou, ppi), magnification); }
    int S(std::int64_t designPixels) const { return Zoomed(DesignPixels(designPixels, ppi), magnification); }
    // Device units per inch at which a true-size layout of the text is painted.
    double unitsPerInch() const { return double(ppi) * magnification / 100.0; }
};

// The panel's width and height: the page at the magnification, each side in 0..kMaxPanelSide.
QSize PanelSize(const TLabelLayoutRecord &layout, const ScreenScale &scale);

// The corner (x, y) of the label in row r and column c, both from 0, gutters included.
QPoint LabelCorner(const TLabelLayoutRecord &layout, int row, int column, const ScreenScale &scale);
// Outline and writable area of label n (1-based, numbered row by row). No check of n against the
// layout's count: the caller walks 1..LabelsPerPage.
TCellRects LabelCellRects(const TLabelLayoutRecord &layout, int n, const ScreenScale &scale);

// The stripe bars of a label stock, relative to the label's corner (empty for styles other
// than 1 and 2).
QList<QRect> StripeBars(int stripeStyle, const ScreenScale &scale);

// The dotted selection frame around a writable area: one pixel outside it on every side, as
// the rectangle of pixels its one-pixel outline covers.
QRect SelectionFrameRect(const QRect &rFree);

// A rectangle from Windows edges (left, top, right, bottom), right and bottom outside.
inline QRect fromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace PageGeometry

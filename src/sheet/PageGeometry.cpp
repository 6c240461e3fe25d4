#include "sheet/PageGeometry.h"

#include <algorithm>

namespace PageGeometry {
namespace {

int clampCoordinate(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

int usablePpi(int ppi) {
    return ppi > 0 ? ppi : kFallbackPixelsPerInch;
}

}  // namespace

// Layout fields are 32-bit and resolutions and percentages small, so every product fits in 64
// bits; C++ integer division truncates toward zero, as the conversions require.
int ScreenPixels(std::int64_t thou, int ppi) {
    return clampCoordinate(thou * usablePpi(ppi) / 1000);
}

int DesignPixels(std::int64_t p, int ppi) {
    return clampCoordinate(p * usablePpi(ppi) / 96);
}

int Zoomed(std::int64_t p, int magnification) {
    return clampCoordinate(p * magnification / 100);
}

QSize PanelSize(const TLabelLayoutRecord &layout, const ScreenScale &scale) {
    return QSize(std::clamp(scale.Z(layout.PageWidth), 0, kMaxPanelSide),
                 std::clamp(scale.Z(layout.PageHeight), 0, kMaxPanelSide));
}

QPoint LabelCorner(const TLabelLayoutRecord &layout, int row, int column, const ScreenScale &scale) {
    std::int64_t x = scale.Z(layout.LeftMargin) + std::int64_t(column) * scale.Z(layout.HorizontalPitch);
    // With one column (or row) the division gives 0, so the single column gets the gutter.
    const int hGutter = scale.Z(layout.HorizontalGutter);
    if (column + 1 > layout.NumberAcross / 2 && hGutter > 0)
        x += hGutter;
    std::int64_t y = scale.Z(layout.TopMargin) + std::int64_t(row) * scale.Z(layout.VerticalPitch);
    const int vGutter = scale.Z(layout.VerticalGutter);
    if (row + 1 > layout.NumberDown / 2 && vGutter > 0)
        y += vGutter;
    return QPoint(clampCoordinate(x), clampCoordinate(y));
}

TCellRects LabelCellRects(const TLabelLayoutRecord &layout, int n, const ScreenScale &scale) {
    const int across = layout.NumberAcross > 0 ? layout.NumberAcross : 1;
    const int row = (n - 1) / across;
    const int column = (n - 1) % across;
    const QPoint corner = LabelCorner(layout, row, column, scale);
    const std::int64_t x = corner.x();
    const std::int64_t y = corner.y();
    auto edge = [](std::int64_t v) { return clampCoordinate(v); };

    TCellRects cells;
    cells.rTotal = fromEdges(corner.x(), corner.y(), edge(x + scale.Z(layout.LabelWidth)),
                             edge(y + scale.Z(layout.LabelHeight)));
    // The writable area stops a little above the label's free bottom, and one pixel more below
    // 100 %, so that the last line painted never touches the outline.
    std::int64_t freeBottom = y + scale.Z(layout.FreeBottom) - scale.S(2);
    if (scale.magnification < 100)
        freeBottom -= 1;
    cells.rFree = fromEdges(edge(x + scale.Z(layout.FreeLeft)), edge(y + scale.Z(layout.FreeTop)),
                            edge(x + scale.Z(layout.FreeRight)), edge(freeBottom));
    return cells;
}

QList<QRect> StripeBars(int stripeStyle, const ScreenScale &scale) {
    auto S = [&](int p) { return scale.S(p); };
    switch (stripeStyle) {
        case 1:
            // A broken stripe across the top with two short ticks below its ends.
            return {fromEdges(S(1), S(5), S(16), S(16)),    fromEdges(S(19), S(5), S(161), S(16)),
                    fromEdges(S(167), S(5), S(306), S(16)), fromEdges(S(311), S(5), S(329), S(16)),
                    fromEdges(0, S(38), S(16), S(39)),      fromEdges(S(311), S(38), S(329), S(39))};
        case 2:
            return {fromEdges(S(1), S(5), S(329), S(16))};
        default:
            return {};
    }
}

QRect SelectionFrameRect(const QRect &rFree) {
    // The outline runs from left - 1 to right + 1 and top - 1 to bottom + 1 (Windows edges
    // (left - 1, top - 1, right + 2, bottom + 2)).
    return fromEdges(rFree.x() - 1, rFree.y() - 1, rFree.x() + rFree.width() + 2,
                     rFree.y() + rFree.height() + 2);
}

}  // namespace PageGeometry

// Screen geometry of the page: conversions, panel size, label rectangles, gutters, stripes.
#include "sheet/PageGeometry.h"

#include "TestLayouts.h"

#include <QTest>
#include <limits>

using namespace PageGeometry;

namespace {

// A 3 × 10 sheet of 2.625" × 1" labels on Letter, writable area inset by an eighth of an inch.
TLabelLayoutRecord addressSheet() {
    return TestLayout::grid(3, 10)
        .named("Address")
        .label(2625, 1000)
        .pitch(2750, 1000)
        .margins(188, 500)
        .page(8500, 11000)
        .free(125, 125, 2500, 1000);
}

// (left, top, right, bottom), right and bottom outside, as the layout rules state rectangles.
QList<int> edges(const QRect &r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace

class TestPageGeometry : public QObject {
    Q_OBJECT
private slots:
    void conversionsTruncateTowardZero_data();
    void conversionsTruncateTowardZero();
    void labelAndPanelSize_data();
    void labelAndPanelSize();
    void gutters_data();
    void gutters();
    void freeRectangle_data();
    void freeRectangle();
    void stripeBars_data();
    void stripeBars();
    void selectionFrameLiesOnePixelOutside();
    void hostileLayoutStaysBounded();
};

void TestPageGeometry::conversionsTruncateTowardZero_data() {
    QTest::addColumn<int>("thou");
    QTest::addColumn<int>("designPixels");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("expectedScreen");  // ScreenPixels(thou) at 120 dpi
    QTest::addColumn<int>("expectedDesign");  // DesignPixels(designPixels) at 120 dpi
    QTest::addColumn<int>("expectedZoomed");  // Zoomed(pixels) at 90 %
    QTest::newRow("exact quotients") << 1000 << 96 << 100 << 120 << 120 << 90;
    QTest::newRow("fractions are dropped") << 1999 << 15 << 11 << 239 << 18 << 9;
    QTest::newRow("negatives truncate toward zero") << -1001 << -1 << -5 << -120 << -1 << -4;
}

void TestPageGeometry::conversionsTruncateTowardZero() {
    QFETCH(int, thou);
    QFETCH(int, designPixels);
    QFETCH(int, pixels);
    QFETCH(int, expectedScreen);
    QFETCH(int, expectedDesign);
    QFETCH(int, expectedZoomed);
    QCOMPARE(ScreenPixels(thou, 120), expectedScreen);
    QCOMPARE(DesignPixels(designPixels, 120), expectedDesign);
    QCOMPARE(Zoomed(pixels, 90), expectedZoomed);
    // At 96 dpi a design pixel is a pixel.
    QCOMPARE(DesignPixels(designPixels, 96), designPixels);
}

void TestPageGeometry::labelAndPanelSize_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<QSize>("label");
    QTest::addColumn<QSize>("panel");
    QTest::newRow("96 dpi, 100 %") << 96 << 100 << QSize(252, 96) << QSize(816, 1056);
    // Zoomed after converting: trunc(252 × 0.8) = 201, not trunc(2625 × 96 × 0.8 / 1000) = 201.6.
    QTest::newRow("96 dpi, 80 %") << 96 << 80 << QSize(201, 76) << QSize(652, 844);
    QTest::newRow("120 dpi, 60 %") << 120 << 60 << QSize(189, 72) << QSize(612, 792);
}

void TestPageGeometry::labelAndPanelSize() {
    QFETCH(int, ppi);
    QFETCH(int, magnification);
    QFETCH(QSize, label);
    QFETCH(QSize, panel);
    const ScreenScale scale{ppi, magnification};
    const TLabelLayoutRecord layout = addressSheet();
    QCOMPARE(LabelCellRects(layout, 1, scale).rTotal.size(), label);
    QCOMPARE(LabelCellRects(layout, 30, scale).rTotal.size(), label);
    QCOMPARE(PanelSize(layout, scale), panel);
}

void TestPageGeometry::gutters_data() {
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("hGutter");
    QTest::addColumn<int>("vGutter");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<QList<int>>("columnLefts");  // x of every column of row 0
    QTest::addColumn<QList<int>>("rowTops");      // y of every row of column 0
    // Margin 18 px, pitch 264 px, 1000-thou vertical pitch 96 px, at 96 dpi.
    QTest::newRow("3 across: columns 2 and 3 get the gutter")
        << 3 << 1 << 250 << 0 << 100 << QList<int>{18, 282 + 24, 546 + 24} << QList<int>{48};
    QTest::newRow("1 across: the single column gets it")
        << 1 << 1 << 250 << 0 << 100 << QList<int>{18 + 24} << QList<int>{48};
    QTest::newRow("4 down: rows 3 and 4 get the vertical gutter")
        << 1 << 4 << 0 << 500 << 100 << QList<int>{18} << QList<int>{48, 144, 240 + 48, 336 + 48};
    QTest::newRow("gutter under one pixel shifts nothing")
        << 3 << 1 << 10 << 0 << 100 << QList<int>{18, 282, 546} << QList<int>{48};
    // 11 thou is 1 px at 100 %, which the zoom to 80 % takes to 0.
    QTest::newRow("gutter zoomed to 0 px shifts nothing")
        << 3 << 1 << 11 << 0 << 80 << QList<int>{14, 225, 436} << QList<int>{38};
    QTest::newRow("negative gutter is ignored")
        << 2 << 1 << -250 << 0 << 100 << QList<int>{18, 282} << QList<int>{48};
}

void TestPageGeometry::gutters() {
    QFETCH(int, across);
    QFETCH(int, down);
    QFETCH(int, hGutter);
    QFETCH(int, vGutter);
    QFETCH(int, magnification);
    QFETCH(QList<int>, columnLefts);
    QFETCH(QList<int>, rowTops);
    TLabelLayoutRecord layout = addressSheet();
    layout.NumberAcross = across;
    layout.NumberDown = down;
    layout.HorizontalGutter = hGutter;
    layout.VerticalGutter = vGutter;
    const ScreenScale scale{96, magnification};
    QList<int> lefts;
    for (int c = 0; c < across; ++c)
        lefts.append(LabelCellRects(layout, c + 1, scale).rTotal.x());
    QList<int> tops;
    for (int r = 0; r < down; ++r)
        tops.append(LabelCellRects(layout, r * across + 1, scale).rTotal.y());
    QCOMPARE(lefts, columnLefts);
    QCOMPARE(tops, rowTops);
    // The writable area moves with its label.
    const TCellRects last = LabelCellRects(layout, across * down, scale);
    QCOMPARE(last.rFree.x() - last.rTotal.x(), Zoomed(ScreenPixels(layout.FreeLeft, 96), magnification));
}

void TestPageGeometry::freeRectangle_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<QList<int>>("expected");  // rFree edges of label 1
    // Label 1 at (18, 48) at 96 dpi, 100 %; the bottom loses Zoomed(DesignPixels(2)).
    QTest::newRow("96 dpi, 100 %") << 96 << 100 << QList<int>{18 + 12, 48 + 12, 18 + 240, 48 + 96 - 2};
    // Below 100 % one pixel more: 76 - Zoomed(2) - 1 = 74.
    QTest::newRow("96 dpi, 80 %") << 96 << 80 << QList<int>{14 + 9, 38 + 9, 14 + 192, 38 + 76 - 1 - 1};
    // DesignPixels(2) at 120 dpi is trunc(2.5) = 2.
    QTest::newRow("120 dpi, 100 %") << 120 << 100 << QList<int>{22 + 15, 60 + 15, 22 + 300, 60 + 120 - 2};
    QTest::newRow("96 dpi, 200 %") << 96 << 200 << QList<int>{36 + 24, 96 + 24, 36 + 480, 96 + 192 - 4};
}

void TestPageGeometry::freeRectangle() {
    QFETCH(int, ppi);
    QFETCH(int, magnification);
    QFETCH(QList<int>, expected);
    QCOMPARE(edges(LabelCellRects(addressSheet(), 1, ScreenScale{ppi, magnification}).rFree), expected);
}

void TestPageGeometry::stripeBars_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QList<QList<int>>>("bars");
    QTest::newRow("style 2 at 120 dpi") << 2 << 120 << QList<QList<int>>{{1, 6, 411, 20}};
    QTest::newRow("style 1 at 96 dpi")
        << 1 << 96 << QList<QList<int>>{{1, 5, 16, 16},    {19, 5, 161, 16}, {167, 5, 306, 16},
                                        {311, 5, 329, 16}, {0, 38, 16, 39},  {311, 38, 329, 39}};
    QTest::newRow("style 0 draws nothing") << 0 << 96 << QList<QList<int>>{};
    QTest::newRow("unknown style draws nothing") << 3 << 96 << QList<QList<int>>{};
}

void TestPageGeometry::stripeBars() {
    QFETCH(int, style);
    QFETCH(int, ppi);
    QFETCH(QList<QList<int>>, bars);
    QList<QList<int>> actual;
    for (const QRect &bar : StripeBars(style, ScreenScale{ppi, 100}))
        actual.append(edges(bar));
    QCOMPARE(actual, bars);
}

void TestPageGeometry::selectionFrameLiesOnePixelOutside() {
    // Around writable edges (30, 60, 258, 142) the frame covers x 29..259 and y 59..143.
    QCOMPARE(edges(SelectionFrameRect(fromEdges(30, 60, 258, 142))), (QList<int>{29, 59, 260, 144}));
}

void TestPageGeometry::hostileLayoutStaysBounded() {
    TLabelLayoutRecord layout = addressSheet();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    layout.PageWidth = kMax;
    layout.PageHeight = -kMax;
    layout.LeftMargin = kMax;
    layout.HorizontalPitch = kMax;
    layout.LabelWidth = kMax;
    layout.HorizontalGutter = kMax;
    const ScreenScale scale{96, 100};
    QCOMPARE(PanelSize(layout, scale), QSize(kMaxPanelSide, 0));
    const TCellRects cells = LabelCellRects(layout, 3, scale);
    QVERIFY(cells.rTotal.x() <= kCoordinateLimit);
    QVERIFY(cells.rTotal.x() + cells.rTotal.width() <= kCoordinateLimit);
    QVERIFY(cells.rTotal.width() >= 0);
}

QTEST_APPLESS_MAIN(TestPageGeometry)
#include "tst_pagegeometry.moc"

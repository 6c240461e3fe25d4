// The page panel: clicks and label activation, the selection frame, layout changes and the
// rendering of the page with its cache.
#include "platform/Screen.h"
#include "sheet/QMKpanel.h"

#include "sheet/FilerError.h"

#include "TestLayouts.h"

#include <QDir>
#include <QFile>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <memory>

namespace {

constexpr int kPpi = 96;
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kFrameGrey = qRgb(128, 128, 128);

// Labels in one row, 1" × 1" (96 px), at the given pitch; writable area inset by 1/8".
TLabelLayoutRecord rowOfLabels(const QByteArray &name, int across, int pitch) {
    return TestLayout::grid(across, 1)
        .named(name)
        .label(1000, 1000)
        .pitch(pitch, 1000)
        .page(8500, 2000)
        .free(125, 125, 875, 875);
}

// A 3 × 10 address sheet on Letter with a full stripe.
TLabelLayoutRecord thirtyUp() {
    return TestLayout::grid(3, 10)
        .named("Thirty")
        .label(2625, 1000)
        .pitch(2750, 1000)
        .margins(188, 500)
        .page(8500, 11000)
        .free(125, 250, 2500, 1000)
        .stripe(2);
}

TLabelLayoutRecord tenUp() {
    TLabelLayoutRecord r = thirtyUp();
    r.Description = "Ten";
    r.NumberAcross = 2;
    r.NumberDown = 5;
    r.StripeStyle = 0;
    return r;
}

void setText(TQMKPagePanel &panel, int n, const QString &text) {
    panel.LabelRichText(n)->setRtfText(RichText::fromPlainText(text));
}

QString textOf(TQMKPagePanel &panel, int n) {
    TWPRtfStorage *storage = panel.page().slot(n);
    return storage ? storage->RtfText().toPlainText() : QStringLiteral("<none>");
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &match) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// Lets every pending paint happen; the window system may hold an update back a few ms, more
// on a loaded machine.
void settle() {
    QTest::qWait(100);
}

bool notWhite(QRgb c) {
    return c != kWhite;
}

// Records the events raised by a panel.
struct Recorder {
    QList<int> labels;  // iNumber of each ClickedInCellEvent
    int plainClicks = 0;
    QRect lastTotal, lastFree;
    TWPRtfStorage *lastStorage = nullptr;
    QPainter *lastCanvas = reinterpret_cast<QPainter *>(1);

    void attach(TQMKPagePanel &panel) {
        panel.ClickedInCellEvent = [this](QPainter *canvas, QRect rTotal, QRect rFree, int n,
                                          TWPRtfStorage *&storage) {
            labels.append(n);
            lastCanvas = canvas;
            lastTotal = rTotal;
            lastFree = rFree;
            lastStorage = storage;
        };
        panel.OnClick = [this] { ++plainClicks; };
    }
};

// Collects the regions of the paint events a widget receives.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *w) { w->installEventFilter(this); }
    QList<QRegion> regions;
    QRegion painted() const {
        QRegion all;
        for (const QRegion &r : regions)
            all += r;
        return all;
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            regions.append(static_cast<QPaintEvent *>(event)->region());
        return false;
    }
};

std::unique_ptr<TQMKPagePanel> makePanel(const QList<TLabelLayoutRecord> &layouts, const QByteArray &apply) {
    auto panel = std::make_unique<TQMKPagePanel>();
    for (const TLabelLayoutRecord &layout : layouts)
        panel->AddLayout(layout);
    panel->ApplyLayout(apply, false);
    return panel;
}

}  // namespace

class TestPagePanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setScreenPixelsPerInchForTesting(kPpi); }
    void cleanupTestCase() { setScreenPixelsPerInchForTesting(0); }

    void clickFindsTheLabelUnderThePointer_data();
    void clickFindsTheLabelUnderThePointer();
    void doubleClickIsOneClick();
    void activation_data();
    void activation();
    void activateLabelGivesRealRectanglesBeforeThePaint();
    void magnification();
    void selectionFrameRepaintsOnlyTheFrames();
    void applyLayoutKeepsOrDiscards();
    void loadFromFileShowsTheDocument();
    void renderedPageShowsTextOutlinesAndStripes();
    void onlyChangedLabelsAreRenderedAgain();
    void overlappingLabelsRepaintInNumberOrder();
    void paintedPanelMatchesThePageImage();
};

void TestPagePanel::clickFindsTheLabelUnderThePointer_data() {
    QTest::addColumn<int>("pitch");     // thousandths; labels are 1000 wide (96 px)
    QTest::addColumn<QPoint>("at");     // panel pixels
    QTest::addColumn<int>("expected");  // label number, 0 for OnClick
    // Pitch 1250: a 24-px gap from x 96 to 119.
    QTest::newRow("left and top edges are inside") << 1250 << QPoint(0, 0) << 1;
    QTest::newRow("last pixel inside") << 1250 << QPoint(95, 95) << 1;
    QTest::newRow("right edge opens onto a gap") << 1250 << QPoint(96, 10) << 0;
    QTest::newRow("bottom edge is outside") << 1250 << QPoint(10, 96) << 0;
    QTest::newRow("middle of the gap") << 1250 << QPoint(110, 10) << 0;
    QTest::newRow("second label") << 1250 << QPoint(120, 50) << 2;
    // Pitch 1000: butted labels, the right edge of label 1 is label 2's left edge.
    QTest::newRow("right edge belongs to the next label") << 1000 << QPoint(96, 10) << 2;
    // Pitch 750 (72 px): x 72..95 lies in both.
    QTest::newRow("overlap goes to the lower number") << 750 << QPoint(80, 10) << 1;
    QTest::newRow("beyond the overlap") << 750 << QPoint(100, 10) << 2;
}

void TestPagePanel::clickFindsTheLabelUnderThePointer() {
    QFETCH(int, pitch);
    QFETCH(QPoint, at);
    QFETCH(int, expected);
    auto panel = makePanel({rowOfLabels("Row", 3, pitch)}, "row");
    panel->renderedPage();  // lays the page out, as its first paint does
    Recorder recorder;
    recorder.attach(*panel);
    const QPoint widgetPos = at + QPoint(TQMKPagePanel::BorderWidth, TQMKPagePanel::BorderWidth);
    QTest::mouseClick(panel.get(), Qt::LeftButton, {}, widgetPos);
    if (expected == 0) {
        QVERIFY(recorder.labels.isEmpty());
        QCOMPARE(recorder.plainClicks, 1);
        return;
    }
    QCOMPARE(recorder.labels, QList<int>{expected});
    QCOMPARE(recorder.plainClicks, 0);
    QCOMPARE(recorder.lastTotal, panel->cellRects(expected).rTotal);
    QCOMPARE(recorder.lastFree, panel->cellRects(expected).rFree);
    QCOMPARE(recorder.lastStorage, panel->LabelRichText(expected));
    QVERIFY(recorder.lastStorage != nullptr);
    QCOMPARE(recorder.lastCanvas, nullptr);

    // Other buttons are no clicks.
    QTest::mouseClick(panel.get(), Qt::RightButton, {}, widgetPos);
    QCOMPARE(recorder.labels.size(), 1);
}

void TestPagePanel::doubleClickIsOneClick() {
    auto panel = makePanel({rowOfLabels("Row", 3, 1250)}, "Row");
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    Recorder recorder;
    recorder.attach(*panel);
    // Through the window system, which sends press, release, press, double click, release.
    QTest::mouseDClick(panel->windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(recorder.labels, QList<int>{1});
    QTest::mouseDClick(panel->windowHandle(), Qt::LeftButton, {}, QPoint(110, 10));
    QCOMPARE(recorder.plainClicks, 1);
}

enum class Prepare {
    Nothing,
    Paint,
    PaintThenClearAll,
    PaintClearAllPaint,
    PaintClearFrom3,
    PaintChangeLayout
};
Q_DECLARE_METATYPE(Prepare)
enum class Step { Previous, Next, Activate };
Q_DECLARE_METATYPE(Step)

void TestPagePanel::activation_data() {
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");  // label raised, 0 for none
    QTest::newRow("next before the first paint") << Prepare::Nothing << Step::Next << 1 << 0;
    QTest::newRow("previous before the first paint") << Prepare::Nothing << Step::Previous << 2 << 0;
    QTest::newRow("next after the paint") << Prepare::Paint << Step::Next << 1 << 2;
    QTest::newRow("previous after the paint") << Prepare::Paint << Step::Previous << 2 << 1;
    QTest::newRow("next on the last label") << Prepare::Paint << Step::Next << 3 << 0;
    QTest::newRow("previous on label 1") << Prepare::Paint << Step::Previous << 1 << 0;
    QTest::newRow("previous beyond the page") << Prepare::Paint << Step::Previous << 5 << 0;
    QTest::newRow("activate 0") << Prepare::Paint << Step::Activate << 0 << 0;
    QTest::newRow("activate beyond the page") << Prepare::Paint << Step::Activate << 4 << 0;
    QTest::newRow("activate the last label") << Prepare::Paint << Step::Activate << 3 << 3;
    QTest::newRow("next after Clear All, before the paint")
        << Prepare::PaintThenClearAll << Step::Next << 1 << 0;
    QTest::newRow("next after Clear All and a paint") << Prepare::PaintClearAllPaint << Step::Next << 1 << 2;
    QTest::newRow("cleared slot is not laid out") << Prepare::PaintClearFrom3 << Step::Next << 2 << 0;
    QTest::newRow("slot before the cleared ones is") << Prepare::PaintClearFrom3 << Step::Next << 1 << 2;
    QTest::newRow("new layout is not laid out until painted")
        << Prepare::PaintChangeLayout << Step::Next << 1 << 0;
}

void TestPagePanel::activation() {
    QFETCH(Prepare, prepare);
    QFETCH(Step, step);
    QFETCH(int, n);
    QFETCH(int, expected);
    auto panel = makePanel({rowOfLabels("Row", 3, 1250), rowOfLabels("Other", 3, 1000)}, "Row");
    if (prepare != Prepare::Nothing)
        panel->renderedPage();
    if (prepare == Prepare::PaintThenClearAll || prepare == Prepare::PaintClearAllPaint)
        panel->ClearAllLabels();
    if (prepare == Prepare::PaintClearAllPaint)
        panel->renderedPage();
    if (prepare == Prepare::PaintClearFrom3)
        panel->ClearLabelsFrom(3);
    if (prepare == Prepare::PaintChangeLayout)
        panel->ApplyLayout("Other", true);

    Recorder recorder;
    recorder.attach(*panel);
    switch (step) {
        case Step::Previous:
            panel->ActivatePreviousLabel(n);
            break;
        case Step::Next:
            panel->ActivateNextLabel(n);
            break;
        case Step::Activate:
            panel->ActivateLabel(n);
            break;
    }
    QCOMPARE(recorder.labels, expected ? QList<int>{expected} : QList<int>{});
    if (expected) {
        QCOMPARE(recorder.lastFree, panel->cellRects(expected).rFree);
        QCOMPARE(recorder.lastStorage, panel->LabelRichText(expected));
    }
}

void TestPagePanel::activateLabelGivesRealRectanglesBeforeThePaint() {
    auto panel = makePanel({rowOfLabels("Row", 3, 1250)}, "Row");
    Recorder recorder;
    recorder.attach(*panel);
    QCOMPARE(panel->cellRects(2).rFree, QRect());
    panel->ActivateLabel(2);
    QCOMPARE(recorder.labels, QList<int>{2});
    // 120 px pitch, 12 px inset, 72 px writable width; bottom loses 2 px.
    QCOMPARE(recorder.lastFree, PageGeometry::fromEdges(132, 12, 204, 84 - 2));
    QCOMPARE(recorder.lastTotal, QRect(120, 0, 96, 96));
}

void TestPagePanel::magnification() {
    auto panel = makePanel({thirtyUp()}, "Thirty");
    QCOMPARE(panel->size(), QSize(816, 1056));
    panel->renderedPage();
    const QRect free100 = panel->cellRects(30).rFree;

    panel->setMagnification(80);
    QCOMPARE(panel->Magnification(), 80);
    QCOMPARE(panel->size(), QSize(652, 844));
    // The rectangles of a laid-out page follow at once, for the editor that is reopened next.
    QCOMPARE(panel->cellRects(30).rTotal.size(), QSize(201, 76));
    QVERIFY(panel->cellRects(30).rFree != free100);
    QCOMPARE(panel->renderedPage().deviceIndependentSize().toSize(), QSize(652, 844));

    // The same value again changes nothing and paints nothing.
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    PaintSpy spy(panel.get());
    panel->setMagnification(80);
    settle();
    QVERIFY(spy.regions.isEmpty());
}

void TestPagePanel::selectionFrameRepaintsOnlyTheFrames() {
    auto panel = makePanel({thirtyUp()}, "Thirty");
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    settle();
    const auto frameOf = [&](int n) {
        return PageGeometry::SelectionFrameRect(panel->cellRects(n).rFree)
            .translated(TQMKPagePanel::BorderWidth, TQMKPagePanel::BorderWidth);
    };
    const QRect frame3 = frameOf(3), frame5 = frameOf(5);

    PaintSpy spy(panel.get());
    panel->setSelectedCell(3);
    QCOMPARE(panel->SelectedCell(), 3);
    QTRY_VERIFY(!spy.regions.isEmpty());
    settle();
    QRegion painted = spy.painted();
    QCOMPARE(painted.boundingRect(), frame3);
    QVERIFY(!painted.contains(frame3.center()));  // the label inside the frame is not repainted

    QImage shot = panel->grab().toImage();
    QVERIFY(countPixels(shot, QRect(frame3.topLeft(), QSize(frame3.width(), 1)),
                        [](QRgb c) { return c == kFrameGrey; }) > frame3.width() / 4);
    QCOMPARE(countPixels(shot, frame3.adjusted(1, 1, -1, -1), [](QRgb c) { return c == kFrameGrey; }), 0);

    spy.regions.clear();
    panel->setSelectedCell(3);
    settle();
    QVERIFY(spy.regions.isEmpty());

    panel->setSelectedCell(5);
    QTRY_VERIFY(!spy.regions.isEmpty());
    settle();
    painted = spy.painted();
    QCOMPARE(painted.boundingRect(), frame3 | frame5);
    QVERIFY(!painted.contains(frameOf(4).center()));

    spy.regions.clear();
    panel->setSelectedCell(0);
    QTRY_VERIFY(!spy.regions.isEmpty());
    settle();
    QCOMPARE(spy.painted().boundingRect(), frame5);
    shot = panel->grab().toImage();
    QCOMPARE(countPixels(shot, shot.rect(), [](QRgb c) { return c == kFrameGrey; }), 0);
}

void TestPagePanel::applyLayoutKeepsOrDiscards() {
    auto panel = makePanel({thirtyUp(), tenUp()}, "Thirty");
    setText(*panel, 1, QStringLiteral("one"));
    setText(*panel, 10, QStringLiteral("ten"));
    setText(*panel, 30, QStringLiteral("thirty"));
    panel->renderedPage();

    panel->ApplyLayout("TEN", true);
    QCOMPARE(panel->LabelsPerPage(), 10);
    QCOMPARE(panel->LayoutDescription(), QByteArray("Ten"));
    QCOMPARE(textOf(*panel, 1), QStringLiteral("one"));
    QCOMPARE(textOf(*panel, 10), QStringLiteral("ten"));
    QCOMPARE(textOf(*panel, 30), QString());  // kept beyond the page, but emptied
    QCOMPARE(panel->LabelRichText(30), nullptr);
    for (int n : {1, 10, 30})
        QCOMPARE(panel->cellRects(n), TCellRects{});  // laid out again at the next paint

    panel->ApplyLayout("Thirty", true);
    QCOMPARE(textOf(*panel, 1), QStringLiteral("one"));
    QCOMPARE(textOf(*panel, 30), QString());

    panel->setMagnification(60);
    panel->ApplyLayout("Ten", false);
    QCOMPARE(panel->size(), QSize(489, 633));  // the page at the current magnification
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(textOf(*panel, n), QString());
    QCOMPARE(textOf(*panel, 30), QStringLiteral("<none>"));
}

void TestPagePanel::loadFromFileShowsTheDocument() {
    auto panel = makePanel({thirtyUp(), tenUp()}, "Ten");
    setText(*panel, 4, QStringLiteral("four"));
    const QString path =
        QDir::temp().filePath(QStringLiteral("qm-panel-%1.QMK").arg(QCoreApplication::applicationPid()));
    panel->SaveToFile(path);

    auto other = makePanel({thirtyUp()}, "Thirty");
    other->setMagnification(80);
    other->renderedPage();
    other->LoadFromFile(path);
    QFile::remove(path);
    QCOMPARE(other->LabelsPerPage(), 10);
    QCOMPARE(textOf(*other, 4), QStringLiteral("four"));
    QCOMPARE(other->size(), QSize(652, 844));
    QCOMPARE(other->cellRects(1), TCellRects{});
    other->renderedPage();
    QCOMPARE(other->cellRects(10).rTotal.size(), QSize(201, 76));

    // A file that cannot be read leaves the page as it was.
    QVERIFY_THROWS_EXCEPTION(FilerError, other->LoadFromFile(QStringLiteral("/nonexistent/x.QMK")));
    QCOMPARE(textOf(*other, 4), QStringLiteral("four"));
    QVERIFY(other->cellRects(10).rTotal.isValid());
}

void TestPagePanel::renderedPageShowsTextOutlinesAndStripes() {
    auto panel = makePanel({thirtyUp()}, "Thirty");
    setText(*panel, 2, QStringLiteral("WWWW MMMM\nWWWW MMMM"));
    const QImage page = panel->renderedPage();
    QCOMPARE(page.deviceIndependentSize().toSize(), QSize(816, 1056));
    const TCellRects two = panel->cellRects(2);
    const TCellRects one = panel->cellRects(1);

    QVERIFY(countPixels(page, two.rFree, notWhite) > 50);
    QCOMPARE(countPixels(page, one.rFree, notWhite),
             0);  // empty label, and the writable area covers the stripe
    // Nothing of the text spills out of its writable area: around it there is only the outline
    // and the stripe.
    int foreign = 0;
    const QRect inside = two.rTotal.adjusted(1, 1, -1, -1);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (!two.rFree.contains(x, y) && page.pixel(x, y) != kWhite && page.pixel(x, y) != kSilver)
                ++foreign;
    QCOMPARE(foreign, 0);

    // Silver outline along the top edge, away from the rounded corners; white outside it.
    const QPoint topEdge(one.rTotal.center().x(), one.rTotal.top());
    QCOMPARE(page.pixel(topEdge), kSilver);
    QCOMPARE(page.pixel(topEdge - QPoint(0, 1)), kWhite);
    QCOMPARE(page.pixel(one.rTotal.right(), one.rTotal.center().y()), kSilver);
    QCOMPARE(page.pixel(one.rTotal.topLeft()), kWhite);  // the corner is rounded off
    // The full stripe, (1, 5, 329, 16) from the corner at 96 dpi, outside the writable area
    // (which starts 24 px down).
    QCOMPARE(page.pixel(one.rTotal.topLeft() + QPoint(100, 10)), kSilver);
    QCOMPARE(page.pixel(one.rTotal.topLeft() + QPoint(100, 16)), kWhite);
}

void TestPagePanel::onlyChangedLabelsAreRenderedAgain() {
    auto panel = makePanel({thirtyUp()}, "Thirty");
    for (int n : {1, 5, 30})
        setText(*panel, n, QStringLiteral("Label %1").arg(n));
    panel->renderedPage();
    QCOMPARE(panel->labelRendersForTesting(), 3);
    QCOMPARE(panel->textLayoutsForTesting(), 3);

    panel->renderedPage();
    QCOMPARE(panel->labelRendersForTesting(), 3);

    setText(*panel, 5, QStringLiteral("changed"));
    const QImage incremental = panel->renderedPage().copy();
    QCOMPARE(panel->labelRendersForTesting(), 4);
    QCOMPARE(panel->textLayoutsForTesting(), 4);

    // The page rebuilt from nothing is the same picture.
    panel->dropRenderCacheForTesting(true);
    QCOMPARE(panel->renderedPage(), incremental);

    // A magnification change paints every text again but keeps the true-size layouts.
    const int layouts = panel->textLayoutsForTesting();
    const int renders = panel->labelRendersForTesting();
    panel->setMagnification(70);
    panel->renderedPage();
    QCOMPARE(panel->textLayoutsForTesting(), layouts);
    QCOMPARE(panel->labelRendersForTesting(), renders + 3);

    // Clearing a label shows it empty again.
    panel->setMagnification(100);
    panel->ClearLabelsFrom(30);
    const QImage cleared = panel->renderedPage();
    QCOMPARE(countPixels(cleared, panel->cellRects(30).rFree, notWhite), 0);
    QVERIFY(countPixels(cleared, panel->cellRects(5).rFree, notWhite) > 0);

    // A new page of the same layout has new, empty storage: every label is shown empty.
    panel->ApplyLayout("Thirty", false);
    const QImage blank = panel->renderedPage();
    for (int n : {1, 5})
        QCOMPARE(countPixels(blank, panel->cellRects(n).rFree, notWhite), 0);
}

void TestPagePanel::overlappingLabelsRepaintInNumberOrder() {
    // Writable areas as wide as the labels, 72 px apart: x 72..95 belongs to labels 1 and 2,
    // and label 2, painted later, is on top there.
    TLabelLayoutRecord overlapping = rowOfLabels("Overlap", 2, 750);
    overlapping.FreeLeft = 0;
    overlapping.FreeRight = 1000;
    auto panel = makePanel({overlapping}, "Overlap");
    setText(*panel, 1, QStringLiteral("MMMMMMMMMMMM"));
    setText(*panel, 2, QStringLiteral("MMMMMMMMMMMM"));
    panel->renderedPage();
    setText(*panel, 1, QStringLiteral("."));
    const QImage incremental = panel->renderedPage().copy();
    QVERIFY(countPixels(incremental, QRect(72, 12, 24, 60), notWhite) > 0);  // label 2's text
    panel->dropRenderCacheForTesting(true);
    QCOMPARE(panel->renderedPage(), incremental);
}

void TestPagePanel::paintedPanelMatchesThePageImage() {
    auto panel = makePanel({thirtyUp()}, "Thirty");
    setText(*panel, 1, QStringLiteral("Screen"));
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    const QImage shot = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage page = panel->renderedPage();
    // One-pixel border, then the page cut off at the client area.
    QCOMPARE(shot.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(shot.width() - 1, 300), qRgb(0, 0, 0));
    const QRect client(1, 1, shot.width() - 2, shot.height() - 2);
    QCOMPARE(shot.copy(client), page.copy(0, 0, client.width(), client.height()));

    // Text changed without a paint request reaches the screen at the next paint of any part.
    setText(*panel, 1, QStringLiteral("Changed"));
    PaintSpy spy(panel.get());
    panel->update(QRect(700, 1000, 10, 10));
    const QRect label1 = panel->cellRects(1).rFree.translated(1, 1);
    QTRY_VERIFY(spy.painted().contains(label1));
}

QTEST_MAIN(TestPagePanel)
#include "tst_qmkpanel.moc"

// The page panel on a screen with two device pixels per logical pixel: the page image is made
// at the screen's resolution, so text and outlines are drawn sharp rather than scaled up.
#include "platform/Screen.h"
#include "sheet/QMKpanel.h"

#include "TestLayouts.h"

#include <QApplication>
#include <QTest>

class TestPagePanelHiDpi : public QObject {
    Q_OBJECT
private slots:
    void pageImageUsesTheDevicePixelRatio() {
        setScreenPixelsPerInchForTesting(96);
        TQMKPagePanel panel;
        panel.AddLayout(TestLayout::grid(1, 1)
                            .named("One")
                            .label(1000, 1000)
                            .pitch(1000, 1000)
                            .page(2000, 2000)
                            .free(125, 125, 875, 875));
        panel.ApplyLayout("One", false);
        panel.LabelRichText(1)->setRtfText(RichText::fromPlainText(QStringLiteral("Sharp")));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.devicePixelRatio(), 2);

        const QImage page = panel.renderedPage();
        QCOMPARE(page.devicePixelRatio(), 2.0);
        QCOMPARE(page.size(), QSize(384, 384));
        QCOMPARE(page.deviceIndependentSize().toSize(), QSize(192, 192));
        // The outline is one device pixel wide: the silver top edge at device row 0, white
        // below it (a scaled-up 96-dpi image would repeat it on row 1).
        QCOMPARE(page.pixel(96, 0), qRgb(192, 192, 192));
        QCOMPARE(page.pixel(96, 1), qRgb(255, 255, 255));
        // Text inside the writable area, in device pixels 24..167.
        int ink = 0;
        for (int y = 24; y < 168; ++y)
            for (int x = 24; x < 168; ++x)
                ink += page.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        QVERIFY(ink > 20);
        // Rectangles stay in logical pixels.
        QCOMPARE(panel.cellRects(1).rTotal, QRect(0, 0, 96, 96));
    }
};

int main(int argc, char **argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPagePanelHiDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qmkpanel_hidpi.moc"

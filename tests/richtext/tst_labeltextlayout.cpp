// The true-size label layout: painted at any scale it keeps its line breaks, it paints whole
// lines only, it measures the height the overflow test uses, and it carries every format of
// the value through Qt's document and back.

#include "LabelCases.h"
#include "richtext/LabelTextLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

using namespace labelcases;

Q_DECLARE_METATYPE(RichText)

namespace {

struct LineBox {
    qreal left, right, top, bottom;  // reference units
    QString text;
};

QList<LineBox> lineBoxes(const QTextDocument &doc) {
    labelDocumentHeight(doc);  // lays the document out
    QList<LineBox> out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            // The natural rectangle includes the offset of centred and right-aligned lines.
            const QRectF box = line.naturalTextRect().translated(layout->position());
            out.append({box.left(), box.right(), box.top(), box.bottom(),
                        block.text().mid(line.textStart(), line.textLength())});
        }
    }
    return out;
}

bool isInk(QRgb pixel) {
    return qAlpha(pixel) > 40;
}  // faint anti-aliased strokes count

// Leftmost and rightmost ink column in rows [top, bottom); right < 0 when there is none.
std::pair<int, int> inkColumns(const QImage &image, int top, int bottom) {
    int left = image.width(), right = -1;
    for (int y = qMax(0, top); y < qMin(bottom, image.height()); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(row[x])) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    return {left, right};
}

int lastInkRow(const QImage &image) {
    for (int y = image.height() - 1; y >= 0; --y)
        if (inkColumns(image, y, y + 1).second >= 0)
            return y;
    return -1;
}

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Letters and digits only: what survives text extraction whatever it does with blanks
// and with a symbol font's glyphs.
QString alnum(const QString &text) {
    QString out;
    for (QChar ch : text)
        if (ch.unicode() < 128 && ch.isLetterOrNumber())
            out += ch;
    return out;
}

}  // namespace

class TestLabelTextLayout : public QObject {
    Q_OBJECT
private slots:
    void paintedLinesFollowLayout_data();
    void paintedLinesFollowLayout();
    void pdfKeepsLineBreaks_data();
    void pdfKeepsLineBreaks();
    void paintsWholeLinesOnly_data();
    void paintsWholeLinesOnly();
    void heightIsBottomOfLastLine();
    void roundTripKeepsFormatting_data();
    void roundTripKeepsFormatting();
    void runsNeverSplitParagraphs();
};

void TestLabelTextLayout::paintedLinesFollowLayout_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<int>("widthThou");
    QTest::addColumn<qreal>("unitsPerInch");
    // The screen at 96 pixels per inch at each magnification, then printers.
    const QList<std::pair<const char *, qreal>> devices{
        {"screen 60%", 57.6},  {"screen 70%", 67.2}, {"screen 80%", 76.8}, {"screen 90%", 86.4},
        {"screen 100%", 96.0}, {"300 dpi", 300.0},   {"600 dpi", 600.0},   {"1200 dpi", 1200.0}};
    for (const LabelCase &c : cases())
        for (const auto &[device, upi] : devices)
            QTest::addRow("%s, %s", c.name, device) << c.text << c.widthThou << upi;
}

// Every line's ink lies where the true-size layout put the line, scaled: a device that laid
// the text out anew (other breaks, other advances) or drew at its own resolution shows here.
void TestLabelTextLayout::paintedLinesFollowLayout() {
    QFETCH(RichText, text);
    QFETCH(int, widthThou);
    QFETCH(qreal, unitsPerInch);
    const LabelTextLayout layout(text, widthThou);
    const qreal scale = unitsPerInch / kReferenceUnitsPerInch;
    const QList<LineBox> lines = lineBoxes(layout.document());
    QVERIFY(lines.size() >= 2);

    const int offset = 7;  // the rectangle need not start at the device origin
    QImage image = transparentImage(int(referenceUnitsFromThou(widthThou) * scale) + 2 * offset + 40,
                                    int(lines.last().bottom * scale) + 2 * offset + 40);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        layout.paint(painter, QRect(offset, offset, image.width() - 2 * offset, image.height() - 2 * offset),
                     unitsPerInch);
    }
    const qreal tolerance = 2.5 + 1.5 / scale;  // reference units: side bearings and one pixel
    for (const LineBox &line : lines) {
        // The line box less a pixel at each edge holds this line's ink and none of the
        // neighbours'.
        const auto [left, right] = inkColumns(image, offset + int(line.top * scale) + 1,
                                              offset + int(std::ceil(line.bottom * scale)) - 1);
        QVERIFY2(right >= 0, qPrintable(QStringLiteral("no ink for line \"%1\"").arg(line.text)));
        QVERIFY2(std::abs((left - offset) / scale - line.left) < tolerance,
                 qPrintable(QStringLiteral("line \"%1\" starts at %2, laid out at %3")
                                .arg(line.text)
                                .arg((left - offset) / scale)
                                .arg(line.left)));
        QVERIFY2(std::abs((right + 1 - offset) / scale - line.right) < tolerance,
                 qPrintable(QStringLiteral("line \"%1\" ends at %2, laid out at %3")
                                .arg(line.text)
                                .arg((right + 1 - offset) / scale)
                                .arg(line.right)));
    }
    QVERIFY(lastInkRow(image) <= offset + int(std::ceil(lines.last().bottom * scale)) + 1);
}

void TestLabelTextLayout::pdfKeepsLineBreaks_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<int>("widthThou");
    QTest::addColumn<int>("dpi");
    for (const LabelCase &c : cases())
        for (int dpi : {300, 600, 1200})
            QTest::addRow("%s, %d dpi", c.name, dpi) << c.text << c.widthThou << dpi;
}

// On a PDF page the words of each printed line are the words of the layout's line.
void TestLabelTextLayout::pdfKeepsLineBreaks() {
    QFETCH(RichText, text);
    QFETCH(int, widthThou);
    QFETCH(int, dpi);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");

    const LabelTextLayout layout(text, widthThou);
    QStringList expected;
    for (const LineBox &line : lineBoxes(layout.document()))
        if (!alnum(line.text).isEmpty())
            expected << alnum(line.text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("label.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(QSizeF(4, 3), QPageSize::Inch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        layout.paint(painter, QRect(dpi / 4, dpi / 4, widthThou * dpi / 1000, 2 * dpi), writer.resolution());
    }
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QStringList printed;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!alnum(line).isEmpty())
            printed << alnum(line);
    QCOMPARE(printed, expected);
}

void TestLabelTextLayout::paintsWholeLinesOnly_data() {
    QTest::addColumn<int>("lastLine");  // index of the last line expected on the page
    QTest::addColumn<QString>("room");  // how high the rectangle is, against that line
    QTest::newRow("rect shorter than the first line still gets it") << 0 << "a third of it";
    QTest::newRow("half of the second line is room for the first only") << 0 << "half the next";
    QTest::newRow("exactly three lines") << 2 << "exact";
    QTest::newRow("one pixel short of three lines") << 1 << "one pixel short of the next";
    QTest::newRow("four and a half lines") << 3 << "half the next";
}

void TestLabelTextLayout::paintsWholeLinesOnly() {
    QFETCH(int, lastLine);
    QFETCH(QString, room);
    const LabelCase c = cases().first();  // long address: six left-aligned lines
    const LabelTextLayout layout(c.text, c.widthThou);
    const QList<LineBox> lines = lineBoxes(layout.document());
    QVERIFY(lines.size() > lastLine + 1);

    const qreal unitsPerInch = 150;  // not a whole multiple of the reference
    const qreal scale = unitsPerInch / kReferenceUnitsPerInch;
    const LineBox &last = lines[lastLine];
    const qreal next = lines[lastLine + 1].bottom;
    int height = 0;
    if (room == QLatin1String("a third of it"))
        height = int(last.bottom * scale / 3);
    else if (room == QLatin1String("half the next"))
        height = int((last.bottom + next) / 2 * scale);
    else if (room == QLatin1String("exact"))
        height = int(std::ceil(last.bottom * scale));
    else
        height = int(std::ceil(next * scale)) - 1;

    QImage image = transparentImage(int(referenceUnitsFromThou(c.widthThou) * scale) + 20,
                                    int(lines.last().bottom * scale) + 20);
    {
        QPainter painter(&image);
        layout.paint(painter, QRect(0, 0, image.width(), height), unitsPerInch);
    }
    // The last expected line is there, nothing of the next one.
    const auto [left, right] =
        inkColumns(image, int(last.top * scale) + 1, int(std::ceil(last.bottom * scale)) - 1);
    QVERIFY2(right >= 0, "the last line that fits is missing");
    QVERIFY(lastInkRow(image) <= int(std::ceil(last.bottom * scale)));
    QCOMPARE(inkColumns(image, int(std::ceil(last.bottom * scale)) + 1, image.height()).second, -1);

    // No background: most of the painted area is still untouched.
    int touched = 0;
    for (int y = 0; y < qMin(height, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            touched += qAlpha(image.pixel(x, y)) != 0;
    QVERIFY(touched < image.width() * qMin(height, image.height()) / 2);
}

void TestLabelTextLayout::heightIsBottomOfLastLine() {
    const CharFormat arial10;
    const LabelTextLayout empty(RichText(), 2500);
    const qreal lineHeight = empty.heightThou();
    // One line of 10 pt Arial is about 0.16 inch at true size (a layout at the screen's 120
    // pixels per inch instead of the reference would make it 0.2).
    QVERIFY2(lineHeight > 140 && lineHeight < 180, qPrintable(QString::number(lineHeight)));

    // An empty paragraph is measured in its mark's size: a 24 pt blank line is taller.
    RichText big;
    big.paragraphs.first().markFormat.halfPoints = 48;
    QVERIFY(LabelTextLayout(big, 2500).heightThou() > 2 * lineHeight);

    // A trailing empty paragraph adds one line; a wrapped paragraph adds lines too.
    RichText two = RichText::fromPlainText(QStringLiteral("Short\n"), arial10);
    QCOMPARE(two.paragraphs.size(), 2);
    const LabelTextLayout twoLines(two, 2500);
    QVERIFY(std::abs(twoLines.heightThou() - 2 * lineHeight) < 1);
    const LabelTextLayout wrapped(RichText::fromPlainText(QStringLiteral("word ").repeated(40), arial10),
                                  2500);
    QVERIFY(wrapped.heightThou() > 3 * lineHeight);

    // The overflow decision at the boundary, in whole thousandths.
    const int needed = int(std::ceil(twoLines.heightThou()));
    QVERIFY(twoLines.fits(needed));
    QVERIFY(!twoLines.fits(needed - 1));

    // The height is the layout's: the same whatever the label is painted on later.
    QCOMPARE(thouFromReferenceUnits(labelDocumentHeight(twoLines.document())), twoLines.heightThou());
}

void TestLabelTextLayout::roundTripKeepsFormatting_data() {
    QTest::addColumn<RichText>("text");
    for (const LabelCase &c : cases())
        QTest::newRow(c.name) << c.text;

    CharFormat missing = face(QStringLiteral("Quillmark Nonexistent Grotesque"), 13);
    missing.underline = true;
    missing.strikeout = true;
    missing.color = qRgb(0, 0x80, 0x80);
    QTest::newRow("font not installed keeps its name")
        << text({paragraph({{QStringLiteral("Ghost"), missing}})});

    Paragraph blank;
    blank.markFormat = face(QStringLiteral("Courier New"), 20, true, true);
    QTest::newRow("empty paragraphs keep their mark format")
        << text({blank,
                 paragraph({{QStringLiteral("after"), face(QStringLiteral("Arial"), 9)}},
                           ParagraphAlignment::Justify),
                 blank});

    CharFormat wingdings = face(QStringLiteral("Wingdings"), 18);
    wingdings.charset = 2;
    CharFormat oem = face(QStringLiteral("Terminal"), 9);
    oem.charset = 255;
    QTest::newRow("charsets survive")
        << text({paragraph({{QString(QChar(0x28)) + QChar(0xfe), wingdings}, {QStringLiteral("x"), oem}})});
}

void TestLabelTextLayout::roundTripKeepsFormatting() {
    QFETCH(RichText, text);
    QTextDocument doc;
    configureLabelDocument(doc);
    fillDocument(doc, text);
    QCOMPARE(richTextFromDocument(doc), text);
    // Filling again replaces the content instead of adding to it.
    fillDocument(doc, text);
    QCOMPARE(richTextFromDocument(doc), text);
}

void TestLabelTextLayout::runsNeverSplitParagraphs() {
    // A run that breaks the value's rule (a paragraph break inside it) stays one paragraph,
    // with line breaks where the paragraph breaks were.
    RichText bad;
    bad.paragraphs.first().runs.append(
        TextRun{QStringLiteral("one\ntwo") + QChar(0x2029) + QStringLiteral("three\r") + QChar(0xfffc), {}});
    QTextDocument doc;
    configureLabelDocument(doc);
    fillDocument(doc, bad);
    QCOMPARE(doc.blockCount(), 1);
    const QChar lineBreak(QChar::LineSeparator);
    QCOMPARE(richTextFromDocument(doc).toPlainText(), QStringLiteral("one") + lineBreak +
                                                          QStringLiteral("two") + lineBreak +
                                                          QStringLiteral("three") + lineBreak);

    // A value without paragraphs is read as one empty paragraph.
    RichText none;
    none.paragraphs.clear();
    fillDocument(doc, none);
    QVERIFY(richTextFromDocument(doc).IsEmpty());
}

QTEST_MAIN(TestLabelTextLayout)
#include "tst_labeltextlayout.moc"

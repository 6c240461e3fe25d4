// The label editor: it shows the painter's true-size layout at every magnification, gives
// and takes whole copies of the content, keeps the owner's view of caret and attributes, and
// moves text through the clipboard as RTF first.

#include "LabelCases.h"
#include "richtext/LabelTextLayout.h"
#include "richtext/Rtf.h"
#include "richtext/TWPRichText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QGraphicsView>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <memory>

using namespace labelcases;

Q_DECLARE_METATYPE(RichText)
Q_DECLARE_METATYPE(CharFormat)
Q_DECLARE_METATYPE(TextAttributes)

namespace {

// Each line as (position in the document, length): equal lists mean equal line breaks.
QList<std::pair<int, int>> lineRanges(const QTextDocument &doc) {
    labelDocumentHeight(doc);  // lays the document out
    QList<std::pair<int, int>> out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            out.append({block.position() + line.textStart(), line.textLength()});
        }
    return out;
}

// Leftmost and rightmost dark column per band of rows; right < 0 when the band is blank.
std::pair<int, int> darkColumns(const QImage &image, int top, int bottom) {
    int left = image.width(), right = -1;
    for (int y = qMax(0, top); y < qMin(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    return {left, right};
}

QWidget *focusTarget(TWPRichText &editor) {
    return editor.focusProxy();
}

std::unique_ptr<TWPRichText> shownEditor(int widthThou = 2500, int heightThou = 1000) {
    auto editor = std::make_unique<TWPRichText>();
    editor->setScreenPixelsPerInch(96);
    editor->setPageSizeThou(widthThou, heightThou);
    editor->resize(widthThou * 96 / 1000, heightThou * 96 / 1000);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->setFocus(Qt::OtherFocusReason);
    return editor;
}

RichText oneRun(const QString &text, const CharFormat &format) {
    RichText t;
    t.paragraphs.first().runs.append(TextRun{text, format});
    t.paragraphs.first().markFormat = format;
    return t;
}

}  // namespace

class TestTWPRichText : public QObject {
    Q_OBJECT
private slots:
    void showsPainterLayoutAtEveryZoom_data();
    void showsPainterLayoutAtEveryZoom();
    void overflowDecisionIsThePainters_data();
    void overflowDecisionIsThePainters();
    void textFitsFlipsWhenLinesAreAdded();
    void rtfTextIsAWholeCopy();
    void caretPosition_data();
    void caretPosition();
    void currentAttributes_data();
    void currentAttributes();
    void fontTable();
    void colorTable_data();
    void colorTable();
    void typingRaisesOnChange();
    void ownerCanRefuseAnEditFromOnChange();
    void onEnterOnlyWhenFocusComesIn();
    void ownerSeesAndConsumesKeys();
    void clickRaisesOnClickAndMovesCaret();
    void contextMenuIsTheOwners();
    void pastePrefersRtf_data();
    void pastePrefersRtf();
    void copyPutsRtfAndPlainText();
    void readOnlyRefusesEdits();
};

void TestTWPRichText::showsPainterLayoutAtEveryZoom_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<int>("widthThou");
    QTest::addColumn<int>("zoom");
    for (const LabelCase &c : cases())
        for (int zoom : {60, 70, 80, 90, 100})
            QTest::addRow("%s, %d%%", c.name, zoom) << c.text << c.widthThou << zoom;
}

// The editor breaks lines where the painter does and shows them where the page shows them.
void TestTWPRichText::showsPainterLayoutAtEveryZoom() {
    QFETCH(RichText, text);
    QFETCH(int, widthThou);
    QFETCH(int, zoom);
    const LabelTextLayout layout(text, widthThou);
    const qreal unitsPerInch = 96.0 * zoom / 100;
    const QSize size(int(std::ceil(widthThou * unitsPerInch / 1000)) + 4,
                     int(std::ceil(layout.heightThou() * unitsPerInch / 1000)) + 4);

    TWPRichText editor;
    editor.setScreenPixelsPerInch(96);
    editor.setPageSizeThou(widthThou, 1500);
    editor.setZooming(zoom);
    editor.setRtfText(text);
    editor.resize(size);
    QCOMPARE(lineRanges(editor.document()), lineRanges(layout.document()));

    // The editor's picture against the painter's, line by line, within a pixel or two.
    const QImage shown = editor.grab().toImage();
    QImage painted(shown.size(), QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        layout.paint(painter, QRect(QPoint(0, 0), size), unitsPerInch);
    }
    const qreal scale = unitsPerInch / kReferenceUnitsPerInch;
    const QTextDocument &doc = layout.document();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QRectF box = lines->lineAt(i).naturalTextRect().translated(lines->position());
            const int top = int(box.top() * scale) + 1, bottom = int(std::ceil(box.bottom() * scale)) - 1;
            const auto [shownLeft, shownRight] = darkColumns(shown, top, bottom);
            const auto [paintedLeft, paintedRight] = darkColumns(painted, top, bottom);
            QVERIFY(paintedRight >= 0);
            QVERIFY2(std::abs(shownLeft - paintedLeft) <= 2 && std::abs(shownRight - paintedRight) <= 2,
                     qPrintable(QStringLiteral("line %1 of \"%2\": shown %3..%4, painted %5..%6")
                                    .arg(i)
                                    .arg(block.text().left(20))
                                    .arg(shownLeft)
                                    .arg(shownRight)
                                    .arg(paintedLeft)
                                    .arg(paintedRight)));
        }
    }
}

void TestTWPRichText::overflowDecisionIsThePainters_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<int>("widthThou");
    for (const LabelCase &c : cases())
        QTest::newRow(c.name) << c.text << c.widthThou;
}

void TestTWPRichText::overflowDecisionIsThePainters() {
    QFETCH(RichText, text);
    QFETCH(int, widthThou);
    const LabelTextLayout layout(text, widthThou);
    const int needed = int(std::ceil(layout.heightThou()));
    TWPRichText editor;
    editor.setScreenPixelsPerInch(96);
    for (int zoom : {60, 70, 80, 90, 100}) {
        editor.setZooming(zoom);
        for (int height : {needed - 1, needed, needed + 1}) {
            editor.setPageSizeThou(widthThou, height);
            editor.setRtfText(text);
            QVERIFY2(editor.TextFits() == layout.fits(height),
                     qPrintable(QStringLiteral("zoom %1, height %2").arg(zoom).arg(height)));
            QCOMPARE(editor.FormattedTextHeightThou(), layout.heightThou());
        }
    }
    editor.setPageSizeThou(widthThou, needed - 1);
    QVERIFY(!editor.TextFits());
}

void TestTWPRichText::textFitsFlipsWhenLinesAreAdded() {
    RichText threeLines = RichText::fromPlainText(QStringLiteral("one\ntwo\nthree"));
    const int height = int(std::ceil(LabelTextLayout(threeLines, 2500).heightThou()));
    TWPRichText editor;
    editor.setPageSizeThou(2500, height);
    editor.setRtfText(RichText::fromPlainText(QStringLiteral("one")));
    editor.setCaretPosition(3);
    QVERIFY(editor.TextFits());
    editor.InsertText(QStringLiteral("\ntwo"));
    QVERIFY(editor.TextFits());
    editor.InsertText(QStringLiteral("\nthree"));
    QVERIFY(editor.TextFits());
    editor.InsertText(QStringLiteral("\nfour"));
    QVERIFY(!editor.TextFits());
    // A long line wraps into a new line too.
    editor.setRtfText(threeLines);
    QVERIFY(editor.TextFits());
    editor.setCaretPosition(3);
    editor.InsertText(QStringLiteral(" and a great many more words than fit on one line"));
    QVERIFY(!editor.TextFits());
}

void TestTWPRichText::rtfTextIsAWholeCopy() {
    TWPRichText editor;
    QSignalSpy changes(&editor, &TWPRichText::OnChange);
    for (const LabelCase &c : cases()) {
        changes.clear();
        editor.setRtfText(c.text);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(editor.RtfText(), c.text);
        QCOMPARE(editor.CaretPosition(), 0);
        QVERIFY(!editor.IsEmpty());
    }
    // What the editor gave away does not change with later edits.
    const RichText taken = editor.RtfText();
    editor.InsertText(QStringLiteral("more "));
    QCOMPARE(taken, cases().last().text);
    QVERIFY(editor.RtfText() != taken);

    changes.clear();
    editor.Clear();
    QCOMPARE(changes.size(), 1);
    QVERIFY(editor.IsEmpty());
    QCOMPARE(editor.RtfText(), RichText());
    // A single paragraph of blanks is not empty; two empty paragraphs are not either.
    editor.setRtfText(RichText::fromPlainText(QStringLiteral(" ")));
    QVERIFY(!editor.IsEmpty());
    editor.setRtfText(RichText::fromPlainText(QStringLiteral("\n")));
    QVERIFY(!editor.IsEmpty());
}

void TestTWPRichText::caretPosition_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    // "Hello" + paragraph break + "world": 11 positions, 0..11.
    QTest::newRow("start") << 0 << 0;
    QTest::newRow("inside the first paragraph") << 3 << 3;
    QTest::newRow("start of the second paragraph") << 6 << 6;
    QTest::newRow("end of text") << 11 << 11;
    QTest::newRow("beyond the end is the end") << 500 << 11;
    QTest::newRow("negative is the start") << -4 << 0;
}

void TestTWPRichText::caretPosition() {
    QFETCH(int, set);
    QFETCH(int, expected);
    TWPRichText editor;
    editor.setRtfText(RichText::fromPlainText(QStringLiteral("Hello\nworld")));
    editor.setCaretPosition(set);
    QCOMPARE(editor.CaretPosition(), expected);
    QVERIFY(!editor.hasSelection());
    editor.InsertText(QStringLiteral("#"));
    QCOMPARE(editor.RtfText().toPlainText().indexOf(QLatin1Char('#')), expected);
}

void TestTWPRichText::currentAttributes_data() {
    QTest::addColumn<CharFormat>("format");
    QTest::addColumn<int>("colorNumber");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("size");
    QTest::newRow("default font") << CharFormat{} << 0 << 0 << 10;
    CharFormat f = face(QStringLiteral("Times New Roman"), 14, true, true);
    f.color = qRgb(255, 0, 0);
    QTest::newRow("bold italic red") << f << 9 << 3 << 14;
    f = face(QStringLiteral("Courier New"), 8);
    f.underline = f.strikeout = true;
    f.color = qRgb(0, 0, 128);
    QTest::newRow("underline strikeout navy") << f << 4 << 12 << 8;
    f = face(QStringLiteral("Arial"), 72, true);
    f.color = qRgb(0x12, 0x34, 0x56);
    QTest::newRow("colour outside the basic table") << f << 16 << 1 << 72;
}

// The record the owner saves at each accepted change and puts back after a refused one.
void TestTWPRichText::currentAttributes() {
    QFETCH(CharFormat, format);
    QFETCH(int, colorNumber);
    QFETCH(int, style);
    QFETCH(int, size);
    TWPRichText editor;
    editor.setRtfText(oneRun(QStringLiteral("Sample"), format));
    editor.setCaretPosition(3);
    const TextAttributes attributes = editor.CurrentAttributes();
    QCOMPARE(editor.FontName(attributes.fontNumber), format.family);
    QCOMPARE(attributes.colorNumber, colorNumber);
    QCOMPARE(attributes.style, style);
    QCOMPARE(attributes.size, size);

    // Put back at the insertion point of other text, it formats what is typed next ...
    const CharFormat other = face(QStringLiteral("Verdana"), 11);
    editor.setRtfText(RichText::fromPlainText(QStringLiteral("plain "), other));
    editor.setCaretPosition(6);
    editor.setCurrentAttributes(attributes);
    QCOMPARE(editor.CurrentAttributes(), attributes);
    editor.InsertText(QStringLiteral("typed"));
    const QList<TextRun> runs = editor.RtfText().paragraphs.first().runs;
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs.last().text, QStringLiteral("typed"));
    QCOMPARE(runs.last().format, format);
    QCOMPARE(runs.first().format, other);

    // ... and on a selection it formats the selection.
    editor.setSelection(0, 5);
    editor.setCurrentAttributes(attributes);
    QCOMPARE(editor.RtfText().paragraphs.first().runs.first().text, QStringLiteral("plain"));
    QCOMPARE(editor.RtfText().paragraphs.first().runs.first().format, format);

    // In an empty label the paragraph itself takes them, so its height follows the size.
    editor.Clear();
    editor.setCurrentAttributes(attributes);
    QCOMPARE(editor.RtfText().paragraphs.first().markFormat, format);
}

void TestTWPRichText::fontTable() {
    TWPRichText editor;
    QCOMPARE(editor.FontNumber(QStringLiteral("Arial")), 0);
    QCOMPARE(editor.FontNumber(QStringLiteral("arial")), 0);  // face names ignore case
    const QString longName = QStringLiteral("An Extraordinarily Long Font Family Name Pro");
    const int number = editor.FontNumber(longName);
    QVERIFY(number > 0);
    QCOMPARE(editor.FontName(number), longName.left(31));
    QCOMPARE(editor.FontNumber(longName.left(31)), number);
    QCOMPARE(editor.FontNumber(longName.left(31) + QStringLiteral("Other tail")), number);
    QVERIFY(editor.FontNumber(QStringLiteral("Courier New")) != number);
    QCOMPARE(editor.FontName(-1), QString());
    QCOMPARE(editor.FontName(999), QString());

    // A face that is not installed keeps its name through the editor.
    CharFormat missing;
    missing.family = QStringLiteral("Quillmark Absent Face");
    editor.setRtfText(oneRun(QStringLiteral("x"), missing));
    editor.setCaretPosition(1);
    QCOMPARE(editor.FontName(editor.CurrentAttributes().fontNumber), missing.family);
}

void TestTWPRichText::colorTable_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("color");
    QTest::newRow("0 black") << 0 << QColor(0, 0, 0);
    QTest::newRow("1 maroon") << 1 << QColor(128, 0, 0);
    QTest::newRow("7 gray") << 7 << QColor(128, 128, 128);
    QTest::newRow("8 silver") << 8 << QColor(192, 192, 192);
    QTest::newRow("9 red") << 9 << QColor(255, 0, 0);
    QTest::newRow("12 blue") << 12 << QColor(0, 0, 255);
    QTest::newRow("15 white") << 15 << QColor(255, 255, 255);
    QTest::newRow("16 is outside the table") << 16 << QColor();
    QTest::newRow("-1 is outside the table") << -1 << QColor();
}

void TestTWPRichText::colorTable() {
    QFETCH(int, number);
    QFETCH(QColor, color);
    QCOMPARE(TWPRichText::ColorTableEntry(number), color);
    // The 16 entries are distinct, so the owner's search for a colour finds one number.
    QSet<QRgb> seen;
    for (int n = 0; n < TWPRichText::ColorTableSize; ++n)
        seen.insert(TWPRichText::ColorTableEntry(n).rgb());
    QCOMPARE(seen.size(), TWPRichText::ColorTableSize);
}

void TestTWPRichText::typingRaisesOnChange() {
    auto editor = shownEditor();
    QSignalSpy changes(editor.get(), &TWPRichText::OnChange);
    QTest::keyClicks(focusTarget(*editor), QStringLiteral("Hi there"));
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("Hi there"));
    QCOMPARE(changes.size(), 8);
    QCOMPARE(editor->CaretPosition(), 8);
    QTest::keyClick(focusTarget(*editor), Qt::Key_Return);
    QCOMPARE(editor->RtfText().paragraphs.size(), 2);
    QTest::keyClick(focusTarget(*editor), Qt::Key_Backspace);
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("Hi there"));
    QCOMPARE(changes.size(), 10);
    // Tab is not typed: it goes on to the window, which moves between labels.
    QTest::keyClick(focusTarget(*editor), Qt::Key_Tab);
    QTest::keyClick(focusTarget(*editor), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("Hi there"));
}

// The main window's overflow rule: on each change it either stores the text or, when the text
// has grown too tall, puts the stored text back from inside the change event. Typing on into
// a full label then leaves the label as it was, with the caret where it was.
void TestTWPRichText::ownerCanRefuseAnEditFromOnChange() {
    const RichText twoLines = RichText::fromPlainText(QStringLiteral("x\nx"));
    auto editor = shownEditor(1500, int(std::ceil(LabelTextLayout(twoLines, 1500).heightThou())));
    RichText stored;
    int storedCaret = 0;
    bool inHandler = false;
    int refused = 0;
    connect(editor.get(), &TWPRichText::OnChange, editor.get(), [&] {
        if (inHandler)
            return;
        inHandler = true;
        if (!editor->TextFits()) {
            ++refused;
            editor->setRtfText(stored);
            editor->setCaretPosition(storedCaret);
        } else {
            stored = editor->RtfText();
            storedCaret = editor->CaretPosition();
        }
        inHandler = false;
    });
    QTest::keyClicks(focusTarget(*editor),
                     QStringLiteral("A rather long line of text that wraps and wraps again"));
    QVERIFY(refused > 0);
    QVERIFY(editor->TextFits());
    QCOMPARE(editor->RtfText(), stored);
    QCOMPARE(editor->CaretPosition(), storedCaret);
    QCOMPARE(editor->CaretPosition(), stored.toPlainText().size());
    QVERIFY(stored.toPlainText().startsWith(QStringLiteral("A rather long")));
    // Editing goes on normally after refusals: Backspace is accepted.
    QTest::keyClick(focusTarget(*editor), Qt::Key_Backspace);
    QCOMPARE(editor->RtfText().toPlainText().size(), storedCaret);
}

void TestTWPRichText::onEnterOnlyWhenFocusComesIn() {
    QWidget window;
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    auto *editor = new TWPRichText(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus(Qt::OtherFocusReason);
    QSignalSpy enters(editor, &TWPRichText::OnEnter);
    editor->setFocus(Qt::OtherFocusReason);
    QCOMPARE(enters.size(), 1);
    QVERIFY(editor->focusProxy()->hasFocus());
    editor->setFocus(Qt::OtherFocusReason);  // already there
    QCOMPARE(enters.size(), 1);
    other->setFocus(Qt::TabFocusReason);
    editor->setFocus(Qt::MouseFocusReason);
    QCOMPARE(enters.size(), 2);
}

void TestTWPRichText::ownerSeesAndConsumesKeys() {
    auto editor = shownEditor();
    QList<int> seen;
    connect(editor.get(), &TWPRichText::OnKeyPress, editor.get(), [&](QChar key, bool &consumed) {
        seen.append(key.unicode());
        if (key == QLatin1Char('x') || key.unicode() == 1) {
            consumed = true;
            if (key.unicode() == 1)
                editor->SelectAll();  // what the main window does with Ctrl+A
        }
    });
    QTest::keyClicks(focusTarget(*editor), QStringLiteral("axb"));
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("ab"));
    QTest::keyClick(focusTarget(*editor), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("ab"));
    QCOMPARE(editor->selectedText(), QStringLiteral("ab"));
    QTest::keyClick(focusTarget(*editor), Qt::Key_Return);
    QCOMPARE(seen, (QList<int>{'a', 'x', 'b', 1, 13}));
}

void TestTWPRichText::clickRaisesOnClickAndMovesCaret() {
    auto editor = shownEditor();
    editor->setRtfText(RichText::fromPlainText(QStringLiteral("Click somewhere in here")));
    QSignalSpy clicks(editor.get(), &TWPRichText::OnClick);
    auto *view = qobject_cast<QGraphicsView *>(focusTarget(*editor));
    QVERIFY(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(editor->width() - 2, 5));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(editor->CaretPosition(), 23);  // right of the text: the end of the line
}

void TestTWPRichText::contextMenuIsTheOwners() {
    auto editor = shownEditor();
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    QSignalSpy requests(editor.get(), &QWidget::customContextMenuRequested);
    auto *view = qobject_cast<QGraphicsView *>(focusTarget(*editor));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            view->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view->viewport(), &event);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().first().toPoint(), QPoint(10, 10));
}

void TestTWPRichText::pastePrefersRtf_data() {
    QTest::addColumn<QStringList>("formats");  // what the clipboard offers besides text/plain
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("bold");
    QTest::newRow("text/rtf before plain text") << QStringList{"text/rtf"} << "From RTF" << true;
    QTest::newRow("Windows name before plain text") << QStringList{"Rich Text Format"} << "From RTF" << true;
    QTest::newRow("plain text alone") << QStringList{} << "From plain" << false;
}

void TestTWPRichText::pastePrefersRtf() {
    QFETCH(QStringList, formats);
    QFETCH(QString, expected);
    QFETCH(bool, bold);
    CharFormat boldFace = face(QStringLiteral("Arial"), 12, true);
    auto *mime = new QMimeData;
    for (const QString &format : formats)
        mime->setData(format, writeRtf(oneRun(QStringLiteral("From RTF"), boldFace)));
    mime->setText(QStringLiteral("From plain"));
    QGuiApplication::clipboard()->setMimeData(mime);

    TWPRichText editor;
    editor.setRtfText(RichText::fromPlainText(QStringLiteral("[]")));
    editor.setCaretPosition(1);
    QSignalSpy changes(&editor, &TWPRichText::OnChange);
    editor.PasteFromClipboard();
    QCOMPARE(changes.size(), 1);  // one change for the owner's overflow test
    const RichText pasted = editor.RtfText();
    QCOMPARE(pasted.toPlainText(), QLatin1Char('[') + expected + QLatin1Char(']'));
    QCOMPARE(pasted.paragraphs.first().runs[bold ? 1 : 0].format.bold, bold);
    QCOMPARE(editor.CaretPosition(), 1 + expected.size());
}

void TestTWPRichText::copyPutsRtfAndPlainText() {
    CharFormat symbol = face(QStringLiteral("Symbol"), 14);
    symbol.charset = 2;
    RichText source = oneRun(QStringLiteral("Tel "), CharFormat{});
    source.paragraphs.first().runs.append(TextRun{QString(QChar(0xa8)), symbol});
    source.paragraphs.append(
        paragraph({{QStringLiteral("Second line"), face(QStringLiteral("Arial"), 9, true)}},
                  ParagraphAlignment::Center));

    TWPRichText editor;
    editor.setRtfText(source);
    editor.SelectAll();
    editor.CopyToClipboard();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(mime->hasFormat(QStringLiteral("Rich Text Format")));
    QCOMPARE(mime->text(), QStringLiteral("Tel ") + QChar(0xa8) + QStringLiteral("\nSecond line"));
    const RichText copied = readRtf(mime->data(QStringLiteral("text/rtf")));
    QCOMPARE(copied.paragraphs.size(), 2);
    QCOMPARE(copied.paragraphs.first().runs, source.paragraphs.first().runs);
    QCOMPARE(copied.paragraphs.last().runs, source.paragraphs.last().runs);
    QCOMPARE(copied.paragraphs.last().alignment, ParagraphAlignment::Center);

    // Copied and pasted into an empty label, the text comes back with its formats.
    TWPRichText other;
    other.PasteFromClipboard();
    QCOMPARE(other.RtfText().paragraphs.first().runs, source.paragraphs.first().runs);
    QCOMPARE(other.RtfText().paragraphs.last().runs, source.paragraphs.last().runs);

    // Cut leaves the rest; nothing selected copies nothing.
    editor.setSelection(0, 4);
    editor.CutToClipboard();
    QCOMPARE(editor.RtfText().toPlainText(), QString(QChar(0xa8)) + QStringLiteral("\nSecond line"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Tel "));
    editor.setCaretPosition(0);
    editor.CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Tel "));
}

void TestTWPRichText::readOnlyRefusesEdits() {
    auto editor = shownEditor();
    editor->setRtfText(RichText::fromPlainText(QStringLiteral("fixed")));
    editor->setReadOnly(true);
    QVERIFY(editor->ReadOnly());
    editor->setCaretPosition(5);
    QTest::keyClicks(focusTarget(*editor), QStringLiteral("typed"));
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    editor->PasteFromClipboard();
    editor->SelectAll();
    editor->CutToClipboard();
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("fixed"));
    editor->setReadOnly(false);
    editor->setCaretPosition(5);
    QTest::keyClicks(focusTarget(*editor), QStringLiteral("!"));
    QCOMPARE(editor->RtfText().toPlainText(), QStringLiteral("fixed!"));
}

QTEST_MAIN(TestTWPRichText)
#include "tst_twprichtext.moc"

// Typing into labels through the editor laid over the page, driven with keys and clicks.

#include "AppFixture.h"
#include "TestLayouts.h"

#include "richtext/Rtf.h"

#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>

namespace {
TLabelLayoutRecord oneLabelLayout() {
    return TestLayout::grid(1, 1)
        .named("Single badge")
        .label(4000, 3000)
        .pitch(4000, 3000)
        .margins(250, 250)
        .page(8500, 11000)
        .free(100, 100, 3900, 2900);
}

// Types lines into the editor until a keystroke is refused (the text stops growing).
int typeUntilFull(AppFixture &app, int n) {
    int lines = 0;
    for (; lines < 40; ++lines) {
        const QString before = app.labelText(n);
        app.type(QStringLiteral("Line"));
        app.key(Qt::Key_Return);
        if (app.labelText(n) == before)
            break;
    }
    return lines;
}
}  // namespace

class LabelEditingTest : public QObject {
    Q_OBJECT
private slots:
    void typedTextStaysWhenMovingToAnotherLabel();
    void overflowingKeystrokeIsUndone();
    void overflowingPasteIsRefused();
    void defaultFontOnlyForEmptyLabels();
    void copyToNextAndAll_data();
    void copyToNextAndAll();
    void ctrlASelectsAllAndTypesNothing();
    void editorLiesOverTheFreeRectangle_data();
    void editorLiesOverTheFreeRectangle();
    void clearContents();
};

void LabelEditingTest::typedTextStaysWhenMovingToAnotherLabel() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    form.QuillmarkPanel->LabelRichText(6)->setRtfText(RichText::fromPlainText(QStringLiteral("Six")));
    app.clickLabel(5);
    QCOMPARE(form.SelectedLabel, 5);
    app.type(QStringLiteral("Ada Lovelace"));
    QCOMPARE(app.labelText(5), QStringLiteral("Ada Lovelace"));  // stored at every keystroke
    QVERIFY(form.PageModified);
    app.clickLabel(6);
    QCOMPARE(form.SelectedLabel, 6);
    QCOMPARE(form.QuillmarkPanel->SelectedCell(), 6);
    QCOMPARE(app.labelText(5), QStringLiteral("Ada Lovelace"));
    QCOMPARE(form.WPRichText1->RtfText().toPlainText(), QStringLiteral("Six"));
    QCOMPARE(form.WPRichText1->CaretPosition(), 0);
    QVERIFY(form.WPRichText1->hasFocus() || form.WPRichText1->isAncestorOf(QApplication::focusWidget()));
}

void LabelEditingTest::overflowingKeystrokeIsUndone() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.clickLabel(2);
    const int lines = typeUntilFull(app, 2);
    QVERIFY2(lines >= 2 && lines < 40, "the 1-inch label takes a few lines, then refuses");
    QVERIFY(form.WPRichText1->TextFits());
    const RichText stored = form.QuillmarkPanel->LabelRichText(2)->RtfText();
    const int caret = form.SavedCaretPosition;
    const TextAttributes attributes = form.SavedTextAttributes;

    form.SetPageModified(false);
    app.key(Qt::Key_Return);
    app.type(QStringLiteral("x"));
    QCOMPARE(form.WPRichText1->RtfText(), stored);
    QCOMPARE(form.QuillmarkPanel->LabelRichText(2)->RtfText(), stored);
    QCOMPARE(form.WPRichText1->CaretPosition(), caret);
    QCOMPARE(form.WPRichText1->CurrentAttributes(), attributes);
    QVERIFY(!form.PageModified);
    QVERIFY(!form.InChangeHandler);
}

void LabelEditingTest::overflowingPasteIsRefused() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.clickLabel(4);
    app.type(QStringLiteral("Keep me"));
    form.SetPageModified(false);
    QString tall;
    for (int i = 0; i < 30; ++i)
        tall += QStringLiteral("pasted line %1\n").arg(i);
    auto *mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), writeRtf(RichText::fromPlainText(tall)));
    mime->setText(tall);
    QApplication::clipboard()->setMimeData(mime);
    form.WPRichText1->PasteFromClipboard();
    QCOMPARE(app.labelText(4), QStringLiteral("Keep me"));
    QCOMPARE(form.WPRichText1->RtfText().toPlainText(), QStringLiteral("Keep me"));
    QVERIFY(!form.PageModified);
}

void LabelEditingTest::defaultFontOnlyForEmptyLabels() {
    AppFixture app;
    TMainForm &form = app.start();
    form.DefaultFontName = QStringLiteral("Times New Roman");
    form.DefaultFontSize = 14;
    form.DefaultFontBold = true;
    form.DefaultFontStrikeout = true;
    form.DefaultFontColor = 0x0000ff;  // red
    app.newPage();
    RichText existing = RichText::fromPlainText(QStringLiteral("Old"));
    form.QuillmarkPanel->LabelRichText(8)->setRtfText(existing);

    app.clickLabel(7);
    app.type(QStringLiteral("New"));
    const TextRun typed = form.QuillmarkPanel->LabelRichText(7)->RtfText().paragraphs.first().runs.first();
    QCOMPARE(typed.format.family, QStringLiteral("Times New Roman"));
    QCOMPARE(typed.format.halfPoints, 28);
    QVERIFY(typed.format.bold);
    QVERIFY(typed.format.strikeout);
    QVERIFY(!typed.format.italic);
    QCOMPARE(QColor(typed.format.color), QColor(Qt::red));

    app.clickLabel(8);
    QCOMPARE(form.WPRichText1->RtfText(), existing);
    const TextAttributes attributes = form.WPRichText1->CurrentAttributes();
    QCOMPARE(form.WPRichText1->FontName(attributes.fontNumber), QStringLiteral("Arial"));
    QCOMPARE(attributes.size, 10);
}

void LabelEditingTest::copyToNextAndAll_data() {
    QTest::addColumn<bool>("oneLabelPage");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("toAll");
    QTest::addColumn<bool>("changes");
    QTest::newRow("next from label 4") << false << 4 << false << true;
    QTest::newRow("next from the last label") << false << 30 << false << false;
    QTest::newRow("all from the last label") << false << 30 << true << true;
    QTest::newRow("all from label 1") << false << 1 << true << true;
    QTest::newRow("all on a one-label page") << true << 1 << true << false;
    QTest::newRow("next on a one-label page") << true << 1 << false << false;
}

void LabelEditingTest::copyToNextAndAll() {
    QFETCH(bool, oneLabelPage);
    QFETCH(int, from);
    QFETCH(bool, toAll);
    QFETCH(bool, changes);
    AppFixture app;
    TMainForm &form = app.start();
    if (oneLabelPage)
        form.QuillmarkPanel->AddLayout(oneLabelLayout());
    app.newPage(oneLabelPage ? QByteArray("Single badge") : QByteArray());
    const int count = form.QuillmarkPanel->LabelsPerPage();
    app.clickLabel(from);
    app.type(QStringLiteral("Copy me"));
    form.WPRichText1->SelectAll();
    form.WPRichText1->setBold(true);
    const RichText source = form.QuillmarkPanel->LabelRichText(from)->RtfText();
    form.SetPageModified(false);

    if (toAll)
        form.ReplicateAllbuttonClick();
    else
        form.ReplicateOnebuttonClick();

    QCOMPARE(form.PageModified, changes);
    QCOMPARE(form.SelectedLabel, from);
    QVERIFY(form.EditorOpen);
    for (int n = 1; n <= count; ++n) {
        const bool expected = n == from || (changes && (toAll || n == from + 1));
        QCOMPARE(form.QuillmarkPanel->LabelRichText(n)->RtfText() == source, expected);
    }
}

void LabelEditingTest::ctrlASelectsAllAndTypesNothing() {
    AppFixture app;
    app.start();
    app.newPage();
    app.type(QStringLiteral("select me"));
    app.key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(app.labelText(1), QStringLiteral("select me"));
    app.type(QStringLiteral("Z"));  // replaces the whole selection
    QCOMPARE(app.labelText(1), QStringLiteral("Z"));
}

void LabelEditingTest::editorLiesOverTheFreeRectangle_data() {
    QTest::addColumn<int>("magnification");
    QTest::newRow("60 %") << 60;
    QTest::newRow("100 %") << 100;
}

void LabelEditingTest::editorLiesOverTheFreeRectangle() {
    QFETCH(int, magnification);
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    form.QuillmarkPanel->setMagnification(magnification);
    QApplication::processEvents();
    app.clickLabel(9);
    const QRect free = form.QuillmarkPanel->cellRects(9).rFree;
    const QRect expected(free.left() + form.QuillmarkPanel->x() + 1,
                         free.top() + form.QuillmarkPanel->y() + 1, free.width() + 1, free.height() + 1);
    QCOMPARE(form.WPRichText1->geometry(), expected);
    QCOMPARE(form.WPRichText1->Zooming(), magnification);
}

void LabelEditingTest::clearContents() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("gone"));
    form.SetPageModified(false);
    form.Clear1->trigger();
    QCOMPARE(app.labelText(1), QString());
    QVERIFY(form.QuillmarkPanel->LabelRichText(1)->RtfText().IsEmpty());
    QVERIFY(form.PageModified);
}

QTEST_MAIN(LabelEditingTest)
#include "tst_labelediting.moc"

// The formatting toolbar: its commands act on the editor's selection or insertion point,
// and its controls show the format at the caret.

#include "LabelCases.h"
#include "richtext/TWPRichText.h"
#include "richtext/TWPToolBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QTest>

#include <memory>

using namespace labelcases;

namespace {

// What a list shows: its current item, or the placeholder for a value not in the list.
QString shownText(const QComboBox *box) {
    return box->currentIndex() >= 0 ? box->currentText() : box->placeholderText();
}

// Chooses the item with the given text as a user does with the keyboard: from the item above
// it, one step down, which raises the list's activation like a click in its popup.
void choose(QComboBox *box, const QString &text) {
    const int index = box->findText(text);
    QVERIFY2(index > 0, qPrintable(text));
    box->setCurrentIndex(index - 1);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentIndex(), index);
}

struct Fixture {
    std::unique_ptr<TWPRichText> editor = std::make_unique<TWPRichText>();
    std::unique_ptr<TWPToolBar> toolbar = std::make_unique<TWPToolBar>(editor.get());
    Fixture(const RichText &text) {
        editor->setRtfText(text);
        toolbar->setEnabled(true);
    }
    RichText text() const { return editor->RtfText(); }
};

bool flag(const CharFormat &format, TWPToolBar::Command command) {
    switch (command) {
        case TWPToolBar::Bold:
            return format.bold;
        case TWPToolBar::Italic:
            return format.italic;
        default:
            return format.underline;
    }
}

}  // namespace

Q_DECLARE_METATYPE(TWPToolBar::Command)
Q_DECLARE_METATYPE(ParagraphAlignment)

class TestTWPToolBar : public QObject {
    Q_OBJECT
private slots:
    void hints_data();
    void hints();
    void startsDisabledAndOutlivesItsEditor();
    void togglesActOnSelectionOrInsertionPoint_data();
    void togglesActOnSelectionOrInsertionPoint();
    void alignmentActsOnSelectedParagraphs_data();
    void alignmentActsOnSelectedParagraphs();
    void listsFormatTheSelection();
    void symbolFaceMarksItsCharset();
    void controlsShowTheCaretsFormat_data();
    void controlsShowTheCaretsFormat();
    void clipboardCommands();
};

void TestTWPToolBar::hints_data() {
    QTest::addColumn<TWPToolBar::Command>("command");
    QTest::addColumn<QString>("hint");
    QTest::newRow("bold") << TWPToolBar::Bold << "Bold Font";
    QTest::newRow("italic") << TWPToolBar::Italic << "Italic Font";
    QTest::newRow("underline") << TWPToolBar::Underline << "Underlined Font";
    QTest::newRow("left") << TWPToolBar::AlignLeft << "Left Justify Text";
    QTest::newRow("right") << TWPToolBar::AlignRight << "Right Justify Text";
    QTest::newRow("centre, with its trailing blank") << TWPToolBar::AlignCenter << "Center Text ";
    QTest::newRow("copy") << TWPToolBar::Copy << "Copy Text";
    QTest::newRow("cut") << TWPToolBar::Cut << "Cut Text";
    QTest::newRow("paste") << TWPToolBar::Paste << "Paste Text";
    QTest::newRow("select all") << TWPToolBar::SelectAll << "Select All";
}

void TestTWPToolBar::hints() {
    QFETCH(TWPToolBar::Command, command);
    QFETCH(QString, hint);
    TWPToolBar toolbar;
    QCOMPARE(toolbar.action(command)->toolTip(), hint);
    QVERIFY(toolbar.actions().contains(toolbar.action(command)));
}

void TestTWPToolBar::startsDisabledAndOutlivesItsEditor() {
    auto editor = std::make_unique<TWPRichText>();
    TWPToolBar toolbar(editor.get());
    QVERIFY(!toolbar.isEnabled());
    toolbar.show();
    QCOMPARE(toolbar.height(), 26);
    QVERIFY(toolbar.fontNameBox()->geometry().bottom() < 26);
    QCOMPARE(toolbar.UpdateObject(), editor.get());
    // The sizes begin at 8 points; the colours are the editor's 16.
    QCOMPARE(toolbar.fontSizeBox()->itemText(0), QStringLiteral("8"));
    QCOMPARE(toolbar.fontColorBox()->count(), TWPRichText::ColorTableSize);
    QVERIFY(toolbar.fontNameBox()->count() > 0);

    editor.reset();
    QCOMPARE(toolbar.UpdateObject(), nullptr);
    toolbar.action(TWPToolBar::Bold)->trigger();  // no editor: nothing happens
}

void TestTWPToolBar::togglesActOnSelectionOrInsertionPoint_data() {
    QTest::addColumn<TWPToolBar::Command>("command");
    QTest::newRow("bold") << TWPToolBar::Bold;
    QTest::newRow("italic") << TWPToolBar::Italic;
    QTest::newRow("underline") << TWPToolBar::Underline;
}

void TestTWPToolBar::togglesActOnSelectionOrInsertionPoint() {
    QFETCH(TWPToolBar::Command, command);
    Fixture f(RichText::fromPlainText(QStringLiteral("Hello world")));
    QAction *toggle = f.toolbar->action(command);

    f.editor->setSelection(6, 11);
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(toggle->isChecked());
    QList<TextRun> runs = f.text().paragraphs.first().runs;
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[0].text, QStringLiteral("Hello "));
    QVERIFY(!flag(runs[0].format, command));
    QCOMPARE(runs[1].text, QStringLiteral("world"));
    QVERIFY(flag(runs[1].format, command));

    toggle->trigger();  // off again for the same selection
    QVERIFY(!toggle->isChecked());
    QCOMPARE(f.text().paragraphs.first().runs.size(), 1);
    QVERIFY(!flag(f.text().paragraphs.first().runs.first().format, command));

    // At an insertion point it formats what is typed next, and leaves the text alone.
    f.editor->setCaretPosition(11);
    toggle->trigger();
    QCOMPARE(f.text().paragraphs.first().runs.size(), 1);
    f.editor->InsertText(QStringLiteral("!"));
    runs = f.text().paragraphs.first().runs;
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[1].text, QStringLiteral("!"));
    QVERIFY(flag(runs[1].format, command));
}

void TestTWPToolBar::alignmentActsOnSelectedParagraphs_data() {
    QTest::addColumn<TWPToolBar::Command>("command");
    QTest::addColumn<ParagraphAlignment>("before");
    QTest::addColumn<ParagraphAlignment>("after");
    QTest::newRow("right") << TWPToolBar::AlignRight << ParagraphAlignment::Left << ParagraphAlignment::Right;
    QTest::newRow("centre") << TWPToolBar::AlignCenter << ParagraphAlignment::Left
                            << ParagraphAlignment::Center;
    QTest::newRow("left") << TWPToolBar::AlignLeft << ParagraphAlignment::Right << ParagraphAlignment::Left;
}

void TestTWPToolBar::alignmentActsOnSelectedParagraphs() {
    QFETCH(TWPToolBar::Command, command);
    QFETCH(ParagraphAlignment, before);
    QFETCH(ParagraphAlignment, after);
    RichText text = RichText::fromPlainText(QStringLiteral("first\nsecond\nthird"));
    for (Paragraph &p : text.paragraphs)
        p.alignment = before;
    Fixture f(text);
    f.editor->setSelection(2, 8);  // from inside "first" into "second"
    f.toolbar->action(command)->trigger();
    const RichText result = f.text();
    QCOMPARE(result.paragraphs[0].alignment, after);
    QCOMPARE(result.paragraphs[1].alignment, after);
    QCOMPARE(result.paragraphs[2].alignment, before);
    QVERIFY(f.toolbar->action(command)->isChecked());
    QCOMPARE(result.toPlainText(), text.toPlainText());
}

void TestTWPToolBar::listsFormatTheSelection() {
    Fixture f(RichText::fromPlainText(QStringLiteral("Hello world")));
    const QString family = QFontDatabase::families().value(1);
    f.editor->setSelection(6, 11);
    choose(f.toolbar->fontSizeBox(), QStringLiteral("20"));
    choose(f.toolbar->fontColorBox(), QStringLiteral("Red"));
    choose(f.toolbar->fontNameBox(), family);
    const QList<TextRun> runs = f.text().paragraphs.first().runs;
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[0].format, CharFormat{});
    QCOMPARE(runs[1].text, QStringLiteral("world"));
    QCOMPARE(runs[1].format.halfPoints, 40);
    QCOMPARE(runs[1].format.color, qRgb(255, 0, 0));
    QCOMPARE(runs[1].format.family, family);
}

// A symbol face chosen from the list is stored with the symbol charset, which the RTF font
// table needs; a text face chosen after it takes the mark away again.
void TestTWPToolBar::symbolFaceMarksItsCharset() {
    const QStringList symbolFaces = QFontDatabase::families(QFontDatabase::Symbol);
    QString textFace;
    for (const QString &family : QFontDatabase::families(QFontDatabase::Latin))
        if (!symbolFaces.contains(family) && textFace.isEmpty() &&
            QFontDatabase::families().indexOf(family) > 0)
            textFace = family;
    if (symbolFaces.isEmpty() || textFace.isEmpty())
        QSKIP("needs an installed symbol font and a text font");
    Fixture f(RichText::fromPlainText(QStringLiteral("ab")));
    f.editor->setSelection(0, 1);
    choose(f.toolbar->fontNameBox(), symbolFaces.first());
    QCOMPARE(f.text().paragraphs.first().runs.first().format.charset, 2);
    QCOMPARE(f.text().paragraphs.first().runs.last().format.charset, 0);
    choose(f.toolbar->fontNameBox(), textFace);
    QCOMPARE(f.text().paragraphs.first().runs.first().format.charset, 0);
}

void TestTWPToolBar::controlsShowTheCaretsFormat_data() {
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("color");
    QTest::addColumn<int>("flags");  // bold 1, italic 2, underline 4, as the toggles show them
    QTest::addColumn<TWPToolBar::Command>("alignment");
    // "Plain " Arial 10 | "Bold" 14 bold red | "Under" 9 italic underline navy, then a
    // right-aligned "Next" in a face that is not installed, at 10.5 points.
    QTest::newRow("inside the plain run") << 3 << "Arial"
                                          << "10"
                                          << "Black" << 0 << TWPToolBar::AlignCenter;
    QTest::newRow("inside the bold run") << 8 << "Arial"
                                         << "14"
                                         << "Red" << 1 << TWPToolBar::AlignCenter;
    QTest::newRow("inside the underlined run") << 13 << "Arial"
                                               << "9"
                                               << "Navy" << 6 << TWPToolBar::AlignCenter;
    QTest::newRow("face not installed, size not listed") << 18 << "Quillmark Absent Face"
                                                         << "10.5"
                                                         << "#123456" << 0 << TWPToolBar::AlignRight;
}

void TestTWPToolBar::controlsShowTheCaretsFormat() {
    QFETCH(int, caret);
    QFETCH(QString, family);
    QFETCH(QString, size);
    QFETCH(QString, color);
    QFETCH(int, flags);
    QFETCH(TWPToolBar::Command, alignment);
    CharFormat bold = face(QStringLiteral("Arial"), 14, true);
    bold.color = qRgb(255, 0, 0);
    CharFormat under = face(QStringLiteral("Arial"), 9, false, true);
    under.underline = true;
    under.color = qRgb(0, 0, 128);
    CharFormat absent;
    absent.family = QStringLiteral("Quillmark Absent Face");
    absent.halfPoints = 21;
    absent.color = qRgb(0x12, 0x34, 0x56);
    Fixture f(text({paragraph({{QStringLiteral("Plain "), face(QStringLiteral("Arial"), 10)},
                               {QStringLiteral("Bold"), bold},
                               {QStringLiteral("Under"), under}},
                              ParagraphAlignment::Center),
                    paragraph({{QStringLiteral("Next"), absent}}, ParagraphAlignment::Right)}));
    // Start from elsewhere, so every control has to follow the caret.
    f.editor->setCaretPosition(caret > 10 ? 1 : 20);
    f.editor->setCaretPosition(caret);
    const TWPToolBar &toolbar = *f.toolbar;
    QCOMPARE(shownText(toolbar.fontNameBox()).toLower(), family.toLower());
    QCOMPARE(shownText(toolbar.fontSizeBox()), size);
    QCOMPARE(shownText(toolbar.fontColorBox()), color);
    QCOMPARE(toolbar.action(TWPToolBar::Bold)->isChecked(), bool(flags & 1));
    QCOMPARE(toolbar.action(TWPToolBar::Italic)->isChecked(), bool(flags & 2));
    QCOMPARE(toolbar.action(TWPToolBar::Underline)->isChecked(), bool(flags & 4));
    for (TWPToolBar::Command command :
         {TWPToolBar::AlignLeft, TWPToolBar::AlignRight, TWPToolBar::AlignCenter})
        QCOMPARE(toolbar.action(command)->isChecked(), command == alignment);
}

void TestTWPToolBar::clipboardCommands() {
    Fixture f(RichText::fromPlainText(QStringLiteral("one two")));
    f.toolbar->action(TWPToolBar::SelectAll)->trigger();
    QCOMPARE(f.editor->selectedText(), QStringLiteral("one two"));
    f.editor->setSelection(4, 7);
    f.toolbar->action(TWPToolBar::Copy)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("two"));
    f.toolbar->action(TWPToolBar::Cut)->trigger();
    QCOMPARE(f.text().toPlainText(), QStringLiteral("one "));
    f.editor->setCaretPosition(0);
    f.toolbar->action(TWPToolBar::Paste)->trigger();
    QCOMPARE(f.text().toPlainText(), QStringLiteral("twoone "));
}

QTEST_MAIN(TestTWPToolBar)
#include "tst_twptoolbar.moc"

// Real RTF from other programs (the shared sample set): every file reads, survives a write
// and read unchanged, and a representative few give the expected text and formatting.

#include "RtfTestSupport.h"
#include "richtext/Rtf.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace rtftest;

namespace {

QString fixtureDir() {
    return QStringLiteral(QM_SHARED_DIR "/fixtures/rtf");
}

RichText readFixture(const QString &name) {
    QFile file(fixtureDir() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return readRtf(file.readAll());
}

// The first run whose text contains needle, or a default run.
TextRun runWith(const RichText &text, const QString &needle) {
    for (const Paragraph &p : text.paragraphs)
        for (const TextRun &run : p.runs)
            if (run.text.contains(needle))
                return run;
    return {};
}

}  // namespace

class TestRtfFixtures : public QObject {
    Q_OBJECT
private slots:
    void everyFixture_data();
    void everyFixture();
    void fixtureText_data();
    void fixtureText();
    void fixtureFormats();
};

void TestRtfFixtures::everyFixture_data() {
    QTest::addColumn<QString>("name");
    const QStringList names =
        QDir(fixtureDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY2(!names.isEmpty(), qPrintable(fixtureDir()));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestRtfFixtures::everyFixture() {
    QFETCH(QString, name);
    const RichText text = readFixture(name);
    QVERIFY(!text.paragraphs.isEmpty());
    QCOMPARE(text, text.normalized());
    // Whatever another program wrote, once read it is kept exactly by our writer.
    QCOMPARE(readRtf(writeRtf(text)), text);
}

void TestRtfFixtures::fixtureText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("contains");
    QTest::addColumn<QStringList>("lacks");
    QTest::newRow("unicode") << "unicode.rtf"
                             << QStringList{QStringLiteral("\u201chi\u201d\u2018hi\u2019\uf0b7\u03b1\u00e4")}
                             << QStringList{QStringLiteral("?"), QStringLiteral("a")};
    QTest::newRow("bin-skipping") << "bin-skipping.rtf" << QStringList{QStringLiteral("text")}
                                  << QStringList{QStringLiteral("MUST NOT IMPORT")};
    QTest::newRow("table_nested") << "table_nested.rtf"
                                  << QStringList{QStringLiteral("Deep A\tDeep B\nDeep C\tDeep D"),
                                                 QStringLiteral("Outer after\nOutside table")}
                                  << QStringList{QStringLiteral("FALLBACK")};
    QTest::newRow("Test01") << "Test01.rtf"
                            << QStringList{QStringLiteral("[A] == [A] == [A] == [A]"),
                                           QStringLiteral("Unicode: [\u0393] - ANSI-fallback: [G]"),
                                           QStringLiteral("same but different: \"[\u0393]\""),
                                           QStringLiteral("something to ignore: visible.")}
                            << QStringList{QStringLiteral("should not appear"),
                                           QStringLiteral("this neither"), QStringLiteral("Normal]")};
    QTest::newRow("testGreekEncoding")
        << "testGreekEncoding.rtf" << QStringList{QStringLiteral("Unicode \u20ac\u03a9")} << QStringList{};
    QTest::newRow("testMultiByteHex")
        << "testMultiByteHex.rtf" << QStringList{QStringLiteral("\u304a\u5143\u6c17\u3067\u3059\u304b\uff1f")}
        << QStringList{};
    QTest::newRow("testFontAfterBufferedText")
        << "testFontAfterBufferedText.rtf"
        << QStringList{QStringLiteral("\u0423\u0432\u0430\u0436\u0430\u0435\u043c\u044b\u0439 "
                                      "\u043a\u043b\u0438\u0435\u043d\u0442!")}
        << QStringList{};
    QTest::newRow("test10001Encoding")
        << "test10001Encoding.rtf" << QStringList{QStringLiteral("\u304a\u8aad\u307f")}
        << QStringList{QStringLiteral("disc")};
    QTest::newRow("test10007Encoding")
        << "test10007Encoding.rtf"
        << QStringList{QStringLiteral("\u041a\u043e\u043c\u043c\u0430\u043d\u0434\u0430")} << QStringList{};
    QTest::newRow("testUnicode") << "testUnicode.rtf"
                                 << QStringList{QStringLiteral("\u4e2d\u56fd"), QStringLiteral("\u010ceská"),
                                                QStringLiteral("Johann Strau\u00df")}
                                 << QStringList{};
    QTest::newRow("testSpecialChars")
        << "testSpecialChars.rtf"
        << QStringList{QStringLiteral("Tab A\tB\nTab A\tB\nCR A\nB\nLF A\nB"),
                       QStringLiteral("Emdash: \u2014"), QStringLiteral("Rdblquote: \u201d")}
        << QStringList{};
    QTest::newRow("RtfParserTest_fail_2")
        << "RtfParserTest_fail_2.rtf" << QStringList{QStringLiteral("{RTF}\u2026")} << QStringList{};
    QTest::newRow("RtfParserTest_fail_3")
        << "RtfParserTest_fail_3.rtf" << QStringList{QStringLiteral("Hello world")} << QStringList{};
    QTest::newRow("sample_3 (text after the end)")
        << "sample_3.rtf" << QStringList{QStringLiteral("base da les\u00e3o")} << QStringList{};
    QTest::newRow("image_from_strings")
        << "image_from_strings.rtf" << QStringList{QStringLiteral("Images (as strings) with PHPRtfLite.")}
        << QStringList{QStringLiteral("ffd8")};
    QTest::newRow("specialchars") << "specialchars.rtf"
                                  << QStringList{QStringLiteral(
                                         "non\u00a0breaking\u00a0spaces. Optional hyphen\u00adfoo. "
                                         "Non breaking hyphen\u2011foo.")}
                                  << QStringList{};
    QTest::newRow("TX_RTF32 (fallback swallows a tab)")
        << "TX_RTF32_18.0.541.501.rtf" << QStringList{QStringLiteral("\u2264\t8804")} << QStringList{};
    QTest::newRow("google-docs") << "google-docs.rtf" << QStringList{QStringLiteral("Lorem ipsum odor amet")}
                                 << QStringList{};
}

void TestRtfFixtures::fixtureText() {
    QFETCH(QString, name);
    QFETCH(QStringList, contains);
    QFETCH(QStringList, lacks);
    const QString text = readFixture(name).toPlainText();
    for (const QString &part : contains)
        QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" not in: ") + text));
    for (const QString &part : lacks)
        QVERIFY2(!text.contains(part), qPrintable(part + QStringLiteral(" in: ") + text));
}

void TestRtfFixtures::fixtureFormats() {
    // Symbol text in a symbol-charset font, red and italic, among Arial text.
    const RichText test01 = readFixture(QStringLiteral("Test01.rtf"));
    CharFormat symbol = colored(italic(charset(fmt(24, QStringLiteral("Symbol")), 2)), qRgb(255, 0, 0));
    QCOMPARE(runWith(test01, QStringLiteral("abc")).format, symbol);
    QCOMPARE(runWith(test01, QStringLiteral("Hellou")).format, fmt(36, QStringLiteral("Verdana")));
    QCOMPARE(runWith(test01, QStringLiteral("bold+italic")).format, italic(bold(fmt(24))));
    QCOMPARE(runWith(test01, QStringLiteral("strikethrough")).format, strike(fmt(24)));

    // Word's symbol form \u-40xx with a byte fallback comes back as the font's own code.
    const TextRun alpha = runWith(readFixture(QStringLiteral("symbol.rtf")), QStringLiteral("A"));
    QCOMPARE(alpha.text, QStringLiteral("A"));
    QCOMPARE(alpha.format.family, QStringLiteral("Symbol"));
    QCOMPARE(alpha.format.charset, 2);

    // A font name written in Shift-JIS bytes.
    QCOMPARE(
        runWith(readFixture(QStringLiteral("testMultiByteHex.rtf")), QStringLiteral("\u304a")).format.family,
        QStringLiteral("\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"));

    // \deff names a negative font number.
    QCOMPARE(
        runWith(readFixture(QStringLiteral("crazy_fonttable.rtf")), QStringLiteral("crazy")).format.family,
        QStringLiteral("Helvetica"));

    // \fs with no parameter is back to 12 pt.
    const RichText sizes = readFixture(QStringLiteral("default-values.rtf"));
    QCOMPARE(runWith(sizes, QStringLiteral("fontSize25")).format.halfPoints, 50);
    QCOMPARE(runWith(sizes, QStringLiteral("fontSize12")).format.halfPoints, 24);

    // Alignment per paragraph; a colour table without the auto entry.
    const RichText issue6 = readFixture(QStringLiteral("testGitHubIssue6.rtf"));
    QCOMPARE(issue6.paragraphs.size(), 4);
    QCOMPARE(issue6.paragraphs[0].alignment, ParagraphAlignment::Left);
    QCOMPARE(issue6.paragraphs[1].alignment, ParagraphAlignment::Justify);
    QVERIFY(issue6.paragraphs[1].runs.first().text.contains(QChar(0x2028)));
    QCOMPARE(issue6.paragraphs[1].runs.first().format.family, QStringLiteral("Courier"));

    const RichText colors = readFixture(QStringLiteral("color.rtf"));
    QCOMPARE(runWith(colors, QStringLiteral("sky blue")).format.color, qRgb(0, 0xcc, 0xff));
    QCOMPARE(runWith(colors, QStringLiteral("Normal:")).format.color, qRgb(0, 0, 0));

    // A centred paragraph from a presentation program's clipboard.
    const RichText paste = readFixture(QStringLiteral("fdo69384-paste.rtf"));
    QCOMPARE(paste.paragraphs.first().alignment, ParagraphAlignment::Center);
}

QTEST_APPLESS_MAIN(TestRtfFixtures)
#include "tst_rtf_fixtures.moc"

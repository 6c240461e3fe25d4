// The RTF writer and reader: what the writer emits, that the reader gives back exactly what
// was written, how it reads ordinary RTF from other programs, and that broken input degrades
// to recovered text.

#include "RtfTestSupport.h"
#include "richtext/Rtf.h"

#include <QRandomGenerator>
#include <QTest>

using namespace rtftest;

Q_DECLARE_METATYPE(RichText)

namespace {

const QChar kLine(0x2028);

QByteArray rtfOf(const char *body) {
    return QByteArray("{\\rtf1\\ansi ") + body + "}";
}

bool isSevenBit(const QByteArray &bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

class TestRtf : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void roundTripNormalizes_data();
    void roundTripNormalizes();
    void writerOutput_data();
    void writerOutput();
    void writerExactBytes();
    void readerText_data();
    void readerText();
    void readerFormats_data();
    void readerFormats();
    void malformed_data();
    void malformed();
    void everyPrefixReads();
    void randomBytesRead();
    void deepNestingIsBounded();
};

void TestRtf::roundTrip_data() {
    QTest::addColumn<RichText>("text");
    const CharFormat base = fmt();
    QTest::newRow("empty text") << RichText();
    QTest::newRow("one plain line") << RichText::fromPlainText(QStringLiteral("Hello"));
    QTest::newRow("three lines of mixed sizes") << doc({
        line({TextRun{QStringLiteral("Mr J. Smith"), bold(fmt(28))}}),
        line({TextRun{QStringLiteral("12 High Street"), fmt(20)}}),
        line({TextRun{QStringLiteral("Springfield "), fmt(16)},
              TextRun{QStringLiteral("AB1 2CD"), italic(fmt(16))}}),
    });
    QTest::newRow("empty paragraphs keep their own size") << doc({
        para({}, fmt(40)),
        line({TextRun{QStringLiteral("A"), base}}),
        para({}, fmt(12)),
        line({TextRun{QStringLiteral("B"), base}}),
        para({}, bold(fmt(60, QStringLiteral("Times New Roman")))),
    });
    QTest::newRow("only empty paragraphs") << doc({para({}, fmt(30)), para({}, fmt(20))});
    QTest::newRow("single empty paragraph with a large mark") << doc({para({}, italic(fmt(72)))});
    QTest::newRow("mark differs from the last run") << doc({
        para({TextRun{QStringLiteral("x"), bold(base)}}, fmt(36)),
        para({TextRun{QStringLiteral("y"), base}}, underline(fmt(10))),
    });
    QTest::newRow("colours") << doc({line({
        TextRun{QStringLiteral("red"), colored(base, qRgb(255, 0, 0))},
        TextRun{QStringLiteral("black"), base},
        TextRun{QStringLiteral("teal"), colored(base, qRgb(0, 128, 128))},
        TextRun{QStringLiteral("red again"), colored(bold(base), qRgb(255, 0, 0))},
        TextRun{QStringLiteral("white"), colored(base, qRgb(255, 255, 255))},
    })});
    QTest::newRow("alignments") << doc({
        line({TextRun{QStringLiteral("centre"), base}}, ParagraphAlignment::Center),
        line({TextRun{QStringLiteral("right"), base}}, ParagraphAlignment::Right),
        line({TextRun{QStringLiteral("justify"), base}}, ParagraphAlignment::Justify),
        line({TextRun{QStringLiteral("left"), base}}, ParagraphAlignment::Left),
        para({}, base, ParagraphAlignment::Right),
    });
    QTest::newRow("every attribute on and off") << doc({line({
        TextRun{QStringLiteral("all"), strike(underline(italic(bold(base))))},
        TextRun{QStringLiteral("none"), base},
        TextRun{QStringLiteral("u"), underline(base)},
        TextRun{QStringLiteral("s"), strike(base)},
        TextRun{QStringLiteral("i"), italic(base)},
    })});
    QString symbols;
    for (char16_t c :
         {u' ', u'A', u'\\', u'{', u';', char16_t(0x7F), char16_t(0x80), char16_t(0xB7), char16_t(0xFF)})
        symbols += QChar(c);
    QTest::newRow("symbol font codes") << doc({line({
        TextRun{QStringLiteral("Tel "), base},
        TextRun{symbols, symbolFont(60)},
        TextRun{QStringLiteral(" \u00e9"), base},
        TextRun{QString(QChar(0x2022)), charset(fmt(20, QStringLiteral("Wingdings")), 2)},
    })});
    QTest::newRow("characters beyond Windows-1252") << doc({line({TextRun{
        QStringLiteral("\u00e9\u20ac\u00a0 \u4e2d\u6587 \u03a9\u0416 ") + QString::fromUcs4(U"\U0001F600") +
            QChar(0x0081) + QChar(0x009D) + QChar(0xFFFF) + QChar(0x0001),
        base}})});
    QTest::newRow("braces, backslashes and semicolons") << doc({line({
        TextRun{QStringLiteral("a{b}c\\d;e \\par {\\rtf1}"),
                fmt(20, QStringLiteral("Odd; {Font} \\ \u00dcml"))},
    })});
    QTest::newRow("tabs and line breaks")
        << doc({line({TextRun{QStringLiteral("a\tb") + kLine + QStringLiteral("c") + kLine, base}})});
    QTest::newRow("text that could extend a control word") << doc({line({
        TextRun{QStringLiteral("1"), bold(base)},
        TextRun{QStringLiteral(" leading blank"), fmt(22)},
        TextRun{QStringLiteral("-5"), fmt(24)},
        TextRun{QStringLiteral("  two blanks"), italic(fmt(24))},
        TextRun{QStringLiteral("x"), fmt(26)},
        TextRun{QStringLiteral("?"), fmt(28)},
    })});
    QTest::newRow("national charset fonts") << doc({line({
        TextRun{QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442 ok \u00e9"),
                charset(fmt(20, QStringLiteral("Arial")), 204)},
        TextRun{QStringLiteral("\u00e9"), charset(fmt(20, QStringLiteral("Arial")), 0)},
        TextRun{QStringLiteral("\u65e5\u672c"), charset(fmt(20, QStringLiteral("\uff2d\uff33 Gothic")), 128)},
        TextRun{QStringLiteral("\u00e9"), charset(fmt(20, QStringLiteral("Default")), 1)},
    })});
    QTest::newRow("extreme sizes and an empty family") << doc({line({
        TextRun{QStringLiteral("tiny"), fmt(1)},
        TextRun{QStringLiteral("huge"), fmt(32767)},
        TextRun{QStringLiteral("nameless"), fmt(20, QString())},
    })});
}

void TestRtf::roundTrip() {
    QFETCH(RichText, text);
    const QByteArray written = writeRtf(text);
    QVERIFY2(written.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"), written.constData());
    QVERIFY2(isSevenBit(written), written.constData());
    const RichText back = readRtf(written);
    QCOMPARE(back, text);
    QCOMPARE(writeRtf(back), written);  // deterministic
}

void TestRtf::roundTripNormalizes_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<RichText>("expected");
    const CharFormat base = fmt();
    QTest::newRow("split and empty runs merge")
        << doc({para({TextRun{QStringLiteral("ab"), base}, TextRun{QString(), bold(base)},
                      TextRun{QStringLiteral("cd"), base}},
                     base)})
        << doc({para({TextRun{QStringLiteral("abcd"), base}}, base)});
    QTest::newRow("private-use symbol codes come back as the font's codes")
        << doc({line({TextRun{QString(QChar(0xF041)) + QChar(0xF0B7), symbolFont()}})})
        << doc({line({TextRun{QStringLiteral("A\u00b7"), symbolFont()}})});
    QTest::newRow("colour alpha is not kept")
        << doc({para({TextRun{QStringLiteral("x"), colored(base, qRgba(10, 20, 30, 40))}}, base)})
        << doc({para({TextRun{QStringLiteral("x"), colored(base, qRgb(10, 20, 30))}}, base)});
    QTest::newRow("breaks inside a run become line breaks")
        << doc({para({TextRun{QStringLiteral("a\nb\rc\u2029d"), base}}, base)})
        << doc({para({TextRun{QStringLiteral("a") + kLine + "b" + kLine + "c" + kLine + "d", base}}, base)});
    QTest::newRow("lone surrogates")
        << doc({para({TextRun{QString(QChar(0xD800)) + "x" + QChar(0xDC00), base}}, base)})
        << doc({para({TextRun{QStringLiteral("\ufffdx\ufffd"), base}}, base)});
    QTest::newRow("sizes out of range and padded family")
        << doc({para({TextRun{QStringLiteral("x"), fmt(0, QStringLiteral(" Arial "))}}, fmt(99999))})
        << doc({para({TextRun{QStringLiteral("x"), fmt(1)}}, fmt(32767))});
}

void TestRtf::roundTripNormalizes() {
    QFETCH(RichText, text);
    QFETCH(RichText, expected);
    QCOMPARE(text.normalized(), expected);
    QCOMPARE(readRtf(writeRtf(text)), expected);
}

void TestRtf::writerOutput_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<QByteArrayList>("contains");
    QTest::addColumn<QByteArrayList>("lacks");
    const CharFormat base = fmt();
    auto one = [](const QString &s, const CharFormat &f) { return doc({line({TextRun{s, f}})}); };
    QTest::newRow("1252 letters as hex bytes")
        << one(QStringLiteral("caf\u00e9 \u20ac5 \u2013"), base) << QByteArrayList{"caf\\'e9 \\'805 \\'96"}
        << QByteArrayList{"?"};
    QTest::newRow("CJK and Greek as signed \\u with a ? fallback")
        << one(QStringLiteral("\u4e2d\u03a9\uf041"), base)
        << QByteArrayList{"\\uc1", "\\u20013?\\u937?\\u-4031?"} << QByteArrayList{};
    QTest::newRow("beyond the BMP as a surrogate pair")
        << one(QString::fromUcs4(U"\U0001F600"), base) << QByteArrayList{"\\u-10179?\\u-8704?"}
        << QByteArrayList{};
    QTest::newRow("escapes") << one(QStringLiteral("{a}\\"), base) << QByteArrayList{"\\{a\\}\\\\"}
                             << QByteArrayList{};
    QTest::newRow("symbol font bytes")
        << one(QString(QChar(0xB7)) + QChar(0xF0B7) + QChar(0xF041) + "A", symbolFont())
        << QByteArrayList{"{\\f0\\fnil\\fcharset2 Symbol;}", "\\'b7\\'b7AA"} << QByteArrayList{"?"};
    QTest::newRow("a national charset font gets \\u, not its code page's bytes")
        << one(QStringLiteral("\u041f\u00e9"), charset(base, 204))
        << QByteArrayList{"\\fcharset204 Arial;", "\\u1055?\\u233?"} << QByteArrayList{"\\'"};
    QTest::newRow("colour table with the auto entry first")
        << doc({line({TextRun{QStringLiteral("r"), colored(base, qRgb(255, 0, 0))},
                      TextRun{QStringLiteral("k"), base}})})
        << QByteArrayList{"{\\colortbl ;\\red255\\green0\\blue0;}", "\\cf1 r\\cf0 k"} << QByteArrayList{};
    QTest::newRow("no colour table without colours")
        << one(QStringLiteral("x"), base) << QByteArrayList{} << QByteArrayList{"colortbl", "\\cf"};
    QTest::newRow("delimiter only where needed")
        << doc({line({TextRun{QStringLiteral("1"), bold(base)}, TextRun{QStringLiteral("."), base},
                      TextRun{QStringLiteral(" x"), italic(base)}})})
        << QByteArrayList{"\\b 1\\b0.\\i  x"} << QByteArrayList{};
    QTest::newRow("an empty last paragraph keeps its size")
        << doc({line({TextRun{QStringLiteral("A"), base}}), para({}, fmt(40))})
        << QByteArrayList{"A\\par\\fs40\\par}"} << QByteArrayList{};
    QTest::newRow("the default 12 pt is not written")
        << one(QStringLiteral("x"), fmt(24)) << QByteArrayList{} << QByteArrayList{"\\fs"};
    QTest::newRow("alignment written once for a run of paragraphs")
        << doc({line({TextRun{QStringLiteral("a"), fmt(24)}}, ParagraphAlignment::Center),
                line({TextRun{QStringLiteral("b"), fmt(24)}}, ParagraphAlignment::Center),
                line({TextRun{QStringLiteral("c"), fmt(24)}})})
        << QByteArrayList{"\\qc a\\par b\\par\\ql c}"} << QByteArrayList{};
    QTest::newRow("one font entry per family and charset")
        << doc({line({TextRun{QStringLiteral("a"), base}, TextRun{QStringLiteral("b"), bold(base)},
                      TextRun{QStringLiteral("c"), fmt(20, QStringLiteral("Times"))}})})
        << QByteArrayList{"{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times;}}"}
        << QByteArrayList{"\\f2"};
}

void TestRtf::writerOutput() {
    QFETCH(RichText, text);
    QFETCH(QByteArrayList, contains);
    QFETCH(QByteArrayList, lacks);
    const QByteArray written = writeRtf(text);
    for (const QByteArray &part : contains)
        QVERIFY2(written.contains(part), (part + " not in " + written).constData());
    for (const QByteArray &part : lacks)
        QVERIFY2(!written.contains(part), (part + " in " + written).constData());
    QVERIFY(isSevenBit(written));
}

void TestRtf::writerExactBytes() {
    QCOMPARE(
        writeRtf(RichText::fromPlainText(QStringLiteral("Hi"))),
        QByteArray(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\\fs20 Hi}"));
    QCOMPARE(
        writeRtf(RichText()),
        QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\\fs20}"));
    QCOMPARE(
        writeRtf(RichText::fromPlainText(QStringLiteral("a\nb"), fmt(24, QStringLiteral("Verdana")))),
        QByteArray(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}}a\\par b}"));
}

void TestRtf::readerText_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative \\u") << rtfOf("\\u-3913?\\u-4031?") << QStringLiteral("\uf0b7\uf041");
    QTest::newRow("\\uc2 skips two fallbacks") << rtfOf("{\\uc2\\u228\\'E8a}b") << QStringLiteral("\u00e4b");
    QTest::newRow("\\uc0 skips nothing") << rtfOf("\\uc0\\u915 G") << QStringLiteral("\u0393G");
    QTest::newRow("\\uc is scoped by the group") << rtfOf("{\\uc0 x}\\u228?b") << QStringLiteral("x\u00e4b");
    QTest::newRow("a control word counts as a fallback")
        << rtfOf("\\uc1\\u228\\'e4x\\u8216\\lquote y") << QStringLiteral("\u00e4x\u2018y");
    QTest::newRow("a brace ends the fallback") << rtfOf("\\uc3\\u228{b}c") << QStringLiteral("\u00e4bc");
    QTest::newRow("surrogate pair") << rtfOf("\\u-10179?\\u-8704?") << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("\\bin data with braces is skipped")
        << rtfOf("a\\bin5 }{\\}{b{\\*\\x\\bin3 }}}}c") << QStringLiteral("abc");
    QTest::newRow("\\* destinations are dropped")
        << rtfOf("a{\\*\\unknown b{\\b c}}d{\\*\\generator x;}e") << QStringLiteral("ade");
    QTest::newRow("known destinations are dropped without \\*")
        << rtfOf(
               "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\pict\\wmetafile8 0a0b}x"
               "{\\header h}{\\footnote f}{\\object{\\objdata 00}}")
        << QStringLiteral("x");
    QTest::newRow("field result kept, instruction dropped")
        << rtfOf("{\\field{\\*\\fldinst HYPERLINK \"http://a\"}{\\fldrslt link}}") << QStringLiteral("link");
    QTest::newRow("\\upr takes the Unicode half")
        << rtfOf("{\\upr{G}{\\*\\ud{\\u915?}}}") << QStringLiteral("\u0393");
    QTest::newRow("control symbols") << rtfOf("a\\~b\\-c\\_d\\{\\}\\\\\\|\\:e")
                                     << QStringLiteral("a\u00a0b\u00adc\u2011d{}\\e");
    QTest::newRow("special character words")
        << rtfOf("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace")
        << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201c\u201d\u2003\u2002");
    QTest::newRow("\\line, \\tab and a raw tab")
        << rtfOf("a\\line b\\tab c\td") << QStringLiteral("a") + kLine + QStringLiteral("b\tc\td");
    QTest::newRow("raw line ends are not text") << rtfOf("a\r\nb\nc\rd") << QStringLiteral("abcd");
    QTest::newRow("backslash before a line end is a paragraph")
        << rtfOf("a\\\nb\\\r\nc") << QStringLiteral("a\nb\nc");
    QTest::newRow("one blank after a word is its delimiter")
        << rtfOf("\\b  x\\b0   y") << QStringLiteral(" x  y");
    QTest::newRow("a final \\par is the last paragraph mark") << rtfOf("a\\par") << QStringLiteral("a");
    QTest::newRow("two final \\par leave an empty paragraph")
        << rtfOf("a\\par\\par") << QStringLiteral("a\n");
    QTest::newRow("table rows become tab-separated paragraphs")
        << rtfOf(
               "\\trowd\\cellx100\\cellx200\\cellx300\\pard\\intbl a\\cell\\cell c\\cell\\row"
               "\\trowd\\cellx100\\pard\\intbl d\\cell\\row\\pard e\\par")
        << QStringLiteral("a\t\tc\nd\ne");
    QTest::newRow("nested table fallback is not text")
        << rtfOf(
               "\\pard\\intbl\\itap2 A\\nestcell B\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
               "{\\nonesttables FALLBACK\\par}\\pard\\intbl\\itap1 C\\cell\\row")
        << QStringLiteral("A\tB\nC");
    QTest::newRow("unknown words and their parameters are ignored")
        << rtfOf("\\foo12 \\barbaz-3 a\\x b") << QStringLiteral("ab");
    QTest::newRow("a parameter ended by a letter")
        << QByteArray("{\\rtf1foobar}") << QStringLiteral("foobar");
    QTest::newRow("\\ansicpg decodes bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\xe8}") << QStringLiteral("\u041f\u0440\u0438");
    QTest::newRow("\\fcharset decides per font")
        << QByteArray(
               "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset161 A;}{\\f2\\fcharset238 A;}}"
               "\\f0\\'80\\f1\\'d9\\f2\\'c8}")
        << QStringLiteral("\u20ac\u03a9\u010c");
    QTest::newRow("double-byte code page gathers lead and trail bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 G;}}\\f0\\'82\\'a0\\'8c\\'b3}")
        << QStringLiteral("\u3042\u5143");
    QTest::newRow("\\mac is Mac Roman")
        << QByteArray("{\\rtf1\\mac \\'8e\\'a5}") << QStringLiteral("\u00e9\u2022");
    QTest::newRow("\\pc is code page 437")
        << QByteArray("{\\rtf1\\pc \\'82\\'b0}") << QStringLiteral("\u00e9\u2591");
    QTest::newRow("invalid code page falls back to 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg0 \\'e9}") << QStringLiteral("\u00e9");
    QTest::newRow("symbol font bytes are the font's codes")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fnil\\fcharset2 "
               "Symbol;}}\\f0\\'b7a\\u-4031\\'41\\'e9}")
        << QStringLiteral("\u00b7aA\u00e9");
    QTest::newRow("text after the document is ignored")
        << QByteArray("{\\rtf1 a}b}c{d}") << QStringLiteral("a");
    QTest::newRow("storage trailer is ignored")
        << QByteArray("{\\rtf1 a}\0\0\0\0", 13) << QStringLiteral("a");
}

void TestRtf::readerText() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(readRtf(rtf).toPlainText(), text);
}

void TestRtf::readerFormats_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<RichText>("expected");
    const CharFormat plain = fmt(24);
    QTest::newRow("toggles and their 0 forms")
        << rtfOf("\\b b\\b0\\i i\\i0\\ul u\\ul0\\ulw w\\ulnone\\strike s\\strike0 n\\uldb d")
        << doc({para(
               {TextRun{QStringLiteral("b"), bold(plain)}, TextRun{QStringLiteral("i"), italic(plain)},
                TextRun{QStringLiteral("uw"), underline(plain)}, TextRun{QStringLiteral("s"), strike(plain)},
                TextRun{QStringLiteral("n"), plain}, TextRun{QStringLiteral("d"), underline(plain)}},
               underline(plain))});
    QTest::newRow("\\plain resets to 12 pt in the default font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Verdana;}{\\f1 Times;}}\\deff0\\f1\\fs40\\b\\cf1 a\\plain b}")
        << doc({para({TextRun{QStringLiteral("a"), bold(fmt(40, QStringLiteral("Times")))},
                      TextRun{QStringLiteral("b"), fmt(24, QStringLiteral("Verdana"))}},
                     fmt(24, QStringLiteral("Verdana")))});
    QTest::newRow("groups scope character formatting")
        << rtfOf("a{\\b b{\\i c}d}e")
        << doc({para({TextRun{QStringLiteral("a"), plain}, TextRun{QStringLiteral("b"), bold(plain)},
                      TextRun{QStringLiteral("c"), italic(bold(plain))},
                      TextRun{QStringLiteral("d"), bold(plain)}, TextRun{QStringLiteral("e"), plain}},
                     plain)});
    QTest::newRow("\\fs without a parameter is 12 pt")
        << rtfOf("\\fs50 a\\fs b")
        << doc({para({TextRun{QStringLiteral("a"), fmt(50)}, TextRun{QStringLiteral("b"), plain}}, plain)});
    QTest::newRow("colour table indexed literally")
        << rtfOf("{\\colortbl\\red255\\green0\\blue0;;\\red0\\green0\\blue255;}\\cf0 r\\cf1 a\\cf2 b\\cf9 c")
        << doc({para({TextRun{QStringLiteral("r"), colored(plain, qRgb(255, 0, 0))},
                      TextRun{QStringLiteral("a"), plain},
                      TextRun{QStringLiteral("b"), colored(plain, qRgb(0, 0, 255))},
                      TextRun{QStringLiteral("c"), plain}},
                     plain)});
    QTest::newRow("paragraph takes the alignment in force at \\par; \\pard resets it")
        << rtfOf("\\qc a\\par\\qr b\\par\\pard c\\par\\qj\\par")
        << doc({para({TextRun{QStringLiteral("a"), plain}}, plain, ParagraphAlignment::Center),
                para({TextRun{QStringLiteral("b"), plain}}, plain, ParagraphAlignment::Right),
                para({TextRun{QStringLiteral("c"), plain}}, plain),
                para({}, plain, ParagraphAlignment::Justify)});
    QTest::newRow("fonts are kept by name, even unknown ones")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f3\\froman\\fcharset0\\fprq2{\\*\\panose 0202}No Such Font Xyz{\\*\\falt "
               "Q};}"
               "\\f7\\fnil\\fcharset204 Brace\\'cf less;}\\f3 a\\f7 b\\f99 c}")
        << doc({para({TextRun{QStringLiteral("a"), fmt(24, QStringLiteral("No Such Font Xyz"))},
                      TextRun{QStringLiteral("b"), charset(fmt(24, QStringLiteral("Brace\u041f less")), 204)},
                      TextRun{QStringLiteral("c"), plain}},
                     plain)});
    QTest::newRow("\\deff font for text that names none")
        << QByteArray("{\\rtf1\\deff1{\\fonttbl{\\f0 A;}{\\f1 Tahoma;}}x}")
        << doc({para({TextRun{QStringLiteral("x"), fmt(24, QStringLiteral("Tahoma"))}},
                     fmt(24, QStringLiteral("Tahoma")))});
    QTest::newRow("symbol charset kept with the font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset2 Wingdings;}}\\f0\\fs60\\u-3844?\\par}")
        << doc({para({TextRun{QStringLiteral("\u00fc"), charset(fmt(60, QStringLiteral("Wingdings")), 2)}},
                     charset(fmt(60, QStringLiteral("Wingdings")), 2))});
    QTest::newRow("no rtf at all gives the empty text") << QByteArray("plain words, no braces") << RichText();
}

void TestRtf::readerFormats() {
    QFETCH(QByteArray, rtf);
    QFETCH(RichText, expected);
    QCOMPARE(readRtf(rtf), expected);
}

void TestRtf::malformed_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty input") << QByteArray() << QString();
    QTest::newRow("only an open brace") << QByteArray("{") << QString();
    QTest::newRow("group never closed") << QByteArray("{\\rtf1 abc{\\b def") << QStringLiteral("abcdef");
    QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 a}}}b") << QStringLiteral("a");
    QTest::newRow("ends in a backslash") << QByteArray("{\\rtf1 ab\\") << QStringLiteral("ab");
    QTest::newRow("ends in a hex escape") << QByteArray("{\\rtf1 ab\\'4") << QStringLiteral("ab");
    // A minus without a digit is no parameter, so it is text.
    QTest::newRow("ends in a parameter sign") << QByteArray("{\\rtf1 ab\\u-") << QStringLiteral("ab-");
    QTest::newRow("bad hex digits are dropped")
        << QByteArray("{\\rtf1 x\\'zzy\\'3?z}") << QStringLiteral("xyz");
    QTest::newRow("hex escape cut by a brace") << QByteArray("{\\rtf1 x\\'4{y}}") << QStringLiteral("xy");
    QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 a\\bin2147483647 xyz}") << QStringLiteral("a");
    QTest::newRow("\\bin past 32 bits")
        << QByteArray("{\\rtf1 a\\bin99999999999999 xyz}") << QStringLiteral("a");
    QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 xyz}") << QStringLiteral("axyz");
    QTest::newRow("absurd numbers")
        << QByteArray("{\\rtf1\\fs99999999999 \\f2147483648 \\cf-5 \\uc-3 \\u99999 a\\u-99999 b\\fs-4 c}")
        << QStringLiteral("\ufffda\ufffdbc");
    QTest::newRow("control word longer than 32 letters")
        << QByteArray("{\\rtf1 a\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop5 b}") << QStringLiteral("ab");
    QTest::newRow("raw control bytes are not text") << QByteArray("{\\rtf1 a") + '\0' +
                                                           QByteArray(
                                                               "b\x01\x1f"
                                                               "c}")
                                                    << QStringLiteral("abc");
    QTest::newRow("font table never closed")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Ti") << QString();
    QTest::newRow("body inside the font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fnil Verdana;}\\pard\\f0 Hello\\par}}")
        << QStringLiteral("Hello");
    QTest::newRow("\\* before text is harmless") << QByteArray("{\\rtf1{\\* a}b}") << QStringLiteral(" ab");
    QTest::newRow("root-level destination word does not swallow the document")
        << QByteArray("{\\rtf1\\info a\\pict b}") << QStringLiteral("ab");
}

void TestRtf::malformed() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const RichText read = readRtf(rtf);
    QVERIFY(!read.paragraphs.isEmpty());
    QCOMPARE(read.toPlainText(), text);
}

// Cutting a document anywhere gives a readable document whose text starts the whole text.
void TestRtf::everyPrefixReads() {
    const CharFormat base = fmt();
    // No Unicode escape here: a cut inside its number reads as another character.
    const RichText text = doc({
        line({TextRun{QStringLiteral("Ab \u00e9{}\\"), bold(colored(base, qRgb(1, 2, 3)))}},
             ParagraphAlignment::Center),
        para({}, fmt(40)),
        line({TextRun{QStringLiteral("x\ty"), symbolFont()}, TextRun{QStringLiteral("z"), italic(fmt(30))}}),
    });
    const QByteArray full = writeRtf(text);
    const QString whole = text.toPlainText();
    for (qsizetype n = 0; n <= full.size(); ++n) {
        const QString part = readRtf(full.left(n)).toPlainText();
        QVERIFY2(whole.startsWith(part),
                 qPrintable(QStringLiteral("prefix %1 gives \"%2\"").arg(n).arg(part)));
    }
}

// Random bytes and random RTF-like token soup never crash the reader or make it keep
// anything that is not text.
void TestRtf::randomBytesRead() {
    QRandomGenerator random(20261211);
    static const char *const tokens[] = {"{",     "}",     "\\",        "\\'",        "\\u",
                                         "\\bin", "\\*",   "\\fonttbl", "\\colortbl", "\\upr",
                                         "\\uc",  "\\par", "\\cell",    "\\row",      "\\f",
                                         "-",     "9",     "32",        " ",          ";",
                                         "a",     "\xe9",  "\\pict",    "\\fldinst",  "\\nesttableprops"};
    for (int round = 0; round < 400; ++round) {
        QByteArray input = round % 2 ? QByteArray("{\\rtf1 ") : QByteArray();
        const int length = int(random.bounded(1, 400));
        for (int i = 0; i < length; ++i) {
            if (round % 4 < 2)
                input.append(char(random.bounded(256)));
            else
                input.append(tokens[random.bounded(int(std::size(tokens)))]);
        }
        const RichText read = readRtf(input);
        QVERIFY(!read.paragraphs.isEmpty());
        for (const Paragraph &p : read.paragraphs)
            for (const TextRun &run : p.runs)
                for (QChar c : run.text)
                    QVERIFY2(c != u'\n' && c != u'\r' && c.unicode() != 0x2029, input.toHex().constData());
        // The reader gives the value in normalized form, which the writer keeps exactly.
        QCOMPARE(read, read.normalized());
        QCOMPARE(readRtf(writeRtf(read)), read);
    }
}

void TestRtf::deepNestingIsBounded() {
    const int depth = 100000;
    QByteArray input = "{\\rtf1 a{\\b b";
    input += QByteArray(depth, '{') + "x" + QByteArray(depth, '}');
    input += "c}d}";
    const RichText read = readRtf(input);
    QCOMPARE(read.toPlainText(), QStringLiteral("abcd"));
    QCOMPARE(read.paragraphs[0].runs.last().format.bold, false);
}

QTEST_APPLESS_MAIN(TestRtf)
#include "tst_rtf.moc"

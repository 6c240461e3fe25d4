// The layout record in the stream, the layout file reader's stop rules, name matching and
// ApplyLayout's rebuilding of the label storage.
#include "richtext/RtfStorage.h"
#include "sheet/Filer.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"

#include "LayoutListBytes.h"
#include "TestLayouts.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(text);
}

TLabelLayoutRecord layout(const QByteArray &name, int across, int down) {
    TLabelLayoutRecord r = TestLayout::grid(across, down)
                               .named(name)
                               .label(2625, 1000)
                               .pitch(2750, 1000)
                               .margins(188, 500)
                               .page(8500, 11000)
                               .free(63, 40, 2562, 960);
    r.Reserved16 = -7;
    r.Reserved22 = 70000;
    return r;
}

QByteArray catalogueBytes(const QList<TLabelLayoutRecord> &layouts) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteLLOStream(buffer, layouts);
    return buffer.data();
}

void loadBytes(PageModel &page, const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadLLOStream(page, buffer);
}

QStringList names(const PageModel &page) {
    return page.ListLayoutNames();
}

RichText text(const QString &plain) {
    return RichText::fromPlainText(plain);
}

}  // namespace

class TestLayoutCatalogue : public QObject {
    Q_OBJECT
private slots:
    void layoutListIsSixtyBytes();
    void recordRoundTripsEveryField();
    void catalogueStopRules_data();
    void catalogueStopRules();
    void headerFaultsReachTheCaller_data();
    void headerFaultsReachTheCaller();
    void missingFileNamesThePath();
    void loadingAppends();
    void catalogueGrowsBeyondFifty();
    void namesMatch_data();
    void namesMatch();
    void applyTakesTheLaterOfEqualNames();
    void applyUnknownNameKeepsLayoutButRebuildsStorage();
    void keepContentAcrossShrinkAndGrow();
    void discardContent();
    void applyNeverExceedsTwoHundredLabels_data();
    void applyNeverExceedsTwoHundredLabels();
};

void TestLayoutCatalogue::layoutListIsSixtyBytes() {
    TLabelLayoutRecord r;
    r.Description = "Twelve chars";
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        r.integer(i) = (i % 2 ? -1 : 1) * (i * 6);  // -126..120
    const QByteArray bytes = layoutListBytes(r);

    QByteArray expected = hex("01 06 0C") + "Twelve chars";
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        expected += hex("02") + char(std::int8_t(r.integer(i)));
    expected += hex("00");
    QCOMPARE(bytes.size(), 60);
    QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
}

void TestLayoutCatalogue::recordRoundTripsEveryField() {
    TLabelLayoutRecord r = layout("Wide \xe9 values", 3, 10);
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        r.integer(i) = (i + 1) * (i % 3 == 0 ? -40000 : 1000) + i;  // distinct, all three widths
    r.NumberAcross = 200;
    r.NumberDown = 1;
    PageModel page;
    loadBytes(page, catalogueBytes({r}));
    QCOMPARE(page.LayoutCount(), 1);
    QVERIFY(page.LayoutCatalogue().first() == r);
}

void TestLayoutCatalogue::catalogueStopRules_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    const QByteArray two = catalogueBytes({layout("One", 3, 10), layout("Two", 2, 5)});
    QTest::newRow("header only: empty catalogue") << catalogueBytes({}) << QStringList();
    QTest::newRow("complete file") << two << QStringList{"One", "Two"};
    QTest::newRow("last list cut in its integers") << two.left(two.size() - 10) << QStringList{"One"};
    QTest::newRow("last list cut in its name") << two.left(two.size() - 60) << QStringList{"One"};
    QTest::newRow("last list lacks only its end") << two.chopped(1) << QStringList{"One", "Two"};
    // A complete record followed by something else than the list end is added; reading stops.
    QByteArray stray = catalogueBytes({layout("One", 3, 10)});
    stray.chop(1);
    stray += hex("02 05") + catalogueBytes({layout("Three", 1, 1)}).mid(6);
    QTest::newRow("record followed by an integer") << stray << QStringList{"One"};
    QTest::newRow("garbage after the last list") << two + hex("06 03 41") << QStringList{"One", "Two"};
    QTest::newRow("label counts outside 1..200 are passed over")
        << catalogueBytes({layout("Zero across", 0, 5), layout("Good", 2, 5), layout("Negative", -2, -3),
                           layout("Too many", 15, 14), layout("Exactly 200", 10, 20),
                           layout("Overflow", 70000, 70000)})
        << QStringList{"Good", "Exactly 200"};
}

void TestLayoutCatalogue::catalogueStopRules() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    PageModel page;
    loadBytes(page, bytes);  // never throws past a good header
    QCOMPARE(names(page), expected);
}

void TestLayoutCatalogue::headerFaultsReachTheCaller_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty file") << QByteArray() << "Stream read error";
    QTest::newRow("header with one integer") << hex("01 02 01 00") << "Invalid property value";
    QTest::newRow("no header list") << catalogueBytes({layout("One", 3, 10)}).mid(6)
                                    << "Invalid property value";
}

void TestLayoutCatalogue::headerFaultsReachTheCaller() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    PageModel page;
    QString got;
    try {
        loadBytes(page, bytes);
    } catch (const FilerError &error) {
        got = error.message();
    }
    QCOMPARE(got, message);
    QCOMPARE(page.LayoutCount(), 0);
}

void TestLayoutCatalogue::missingFileNamesThePath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("QMKML.LLO");
    PageModel page;
    QString got;
    try {
        LoadLLOFile(page, path);
    } catch (const FilerError &error) {
        got = error.message();
    }
    QCOMPARE(got, "Cannot open file " + path);
}

void TestLayoutCatalogue::loadingAppends() {
    QTemporaryDir dir;
    QFile file(dir.filePath("QMKML.LLO"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(catalogueBytes({layout("A", 1, 1), layout("B", 1, 2)}));
    file.close();
    PageModel page;
    page.AddLayout(layout("Before", 1, 1));
    LoadLLOFile(page, file.fileName());
    LoadLLOFile(page, file.fileName());
    QCOMPARE(names(page), (QStringList{"Before", "A", "B", "A", "B"}));
}

void TestLayoutCatalogue::catalogueGrowsBeyondFifty() {
    QList<TLabelLayoutRecord> many;
    for (int i = 1; i <= 60; ++i)
        many.append(layout("Stock " + QByteArray::number(i), 1, i));
    PageModel page;
    loadBytes(page, catalogueBytes(many));
    QCOMPARE(page.LayoutCount(), 60);
    page.ApplyLayout("stock 60", false);
    QCOMPARE(page.LabelsPerPage(), 60);
}

void TestLayoutCatalogue::namesMatch_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("match");
    QTest::newRow("abc selects ABC") << QByteArray("abc") << QByteArray("ABC") << true;
    QTest::newRow("mixed case") << QByteArray("Address 5160") << QByteArray("aDDRESS 5160") << true;
    QTest::newRow("different letter") << QByteArray("abc") << QByteArray("abd") << false;
    QTest::newRow("longer name") << QByteArray("abc") << QByteArray("abc ") << false;
    QTest::newRow("accented letters do not fold") << QByteArray("caf\xe9") << QByteArray("CAF\xc9") << false;
    QTest::newRow("accented letters equal as bytes")
        << QByteArray("caf\xe9") << QByteArray("CAF\xe9") << true;
    QTest::newRow("brackets are not letters") << QByteArray("[x]") << QByteArray("{X}") << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray("") << true;
}

void TestLayoutCatalogue::namesMatch() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, match);
    QCOMPARE(layoutNamesMatch(a, b), match);
    QCOMPARE(layoutNamesMatch(b, a), match);
}

void TestLayoutCatalogue::applyTakesTheLaterOfEqualNames() {
    PageModel page;
    page.AddLayout(layout("Same", 3, 10));
    page.AddLayout(layout("Other", 1, 1));
    page.AddLayout(layout("SAME", 2, 4));
    page.ApplyLayout("same", false);
    QCOMPARE(page.CurrentLayout().Description, QByteArray("SAME"));
    QCOMPARE(page.LabelsPerPage(), 8);
    QCOMPARE(page.firstLayoutNamed("same")->NumberAcross, 3);
    QCOMPARE(page.lastLayoutNamed("same")->NumberAcross, 2);
}

void TestLayoutCatalogue::applyUnknownNameKeepsLayoutButRebuildsStorage() {
    PageModel page;
    page.ApplyLayout("Nothing yet", false);
    QCOMPARE(page.LabelsPerPage(), 0);
    QVERIFY(page.CurrentLayout() == TLabelLayoutRecord());

    page.AddLayout(layout("Ten", 2, 5));
    page.ApplyLayout("Ten", false);
    page.LabelStorage(3)->setRtfText(text("kept?"));
    page.ApplyLayout("Unknown", false);
    QCOMPARE(page.CurrentLayout().Description, QByteArray("Ten"));
    QCOMPARE(page.LabelsPerPage(), 10);
    QVERIFY(page.LabelStorage(3));
    QVERIFY(page.LabelStorage(3)->RtfText().IsEmpty());
}

void TestLayoutCatalogue::keepContentAcrossShrinkAndGrow() {
    PageModel page;
    page.AddLayout(layout("Thirty", 3, 10));
    page.AddLayout(layout("Ten", 2, 5));
    page.ApplyLayout("Thirty", false);
    for (int n = 1; n <= 30; ++n)
        page.LabelStorage(n)->setRtfText(text(QStringLiteral("label %1").arg(n)));

    page.ApplyLayout("Ten", true);
    QCOMPARE(page.LabelsPerPage(), 10);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(page.LabelStorage(n)->RtfText().toPlainText(), QStringLiteral("label %1").arg(n));
    QVERIFY(!page.LabelStorage(11));

    page.ApplyLayout("Thirty", true);
    QCOMPARE(page.LabelsPerPage(), 30);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(page.LabelStorage(n)->RtfText().toPlainText(), QStringLiteral("label %1").arg(n));
    for (int n = 11; n <= 30; ++n) {
        QVERIFY(page.LabelStorage(n));
        QVERIFY2(page.LabelStorage(n)->RtfText().IsEmpty(), qPrintable(QString::number(n)));
    }
}

void TestLayoutCatalogue::discardContent() {
    PageModel page;
    page.AddLayout(layout("Thirty", 3, 10));
    page.ApplyLayout("Thirty", false);
    page.LabelStorage(1)->setRtfText(text("gone"));
    page.ApplyLayout("Thirty", false);
    QVERIFY(page.LabelStorage(1)->RtfText().IsEmpty());
    QVERIFY(page.LabelStorage(30));
    QVERIFY(!page.slot(31));
}

void TestLayoutCatalogue::applyNeverExceedsTwoHundredLabels_data() {
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("down");
    QTest::newRow("201 labels") << 201 << 1;
    QTest::newRow("product beyond 32 bits") << 70000 << 70000;
    QTest::newRow("negative times negative") << -10 << -10;
}

void TestLayoutCatalogue::applyNeverExceedsTwoHundredLabels() {
    QFETCH(int, across);
    QFETCH(int, down);
    PageModel page;
    page.AddLayout(layout("Good", 2, 5));
    page.AddLayout(layout("Bad", across, down));  // added by hand: the file reader skips these
    page.ApplyLayout("Good", false);
    page.ApplyLayout("Bad", true);
    QCOMPARE(page.CurrentLayout().Description, QByteArray("Good"));
    QCOMPARE(page.LabelsPerPage(), 10);
}

QTEST_APPLESS_MAIN(TestLayoutCatalogue)
#include "tst_layoutcatalogue.moc"

// The shipped layout file written at build time from data/label-stocks.tsv, and the table
// reader that writes it.
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"
#include "tool/StockTable.h"

#include <QFile>
#include <QSet>
#include <QTest>

namespace {
const QByteArray kHeader =
    "code\tkind\tpaper\tlabel_width\tlabel_height\thorizontal_pitch\tvertical_pitch\tleft_margin\ttop_"
    "margin\t"
    "page_width\tpage_height\tacross\tdown\tcorner_radius\n";
}

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void shippedFileHoldsTheTable();
    void shippedLayoutsAreSound();
    void tableRows_data();
    void tableRows();
    void tableFaults_data();
    void tableFaults();
    void fractions_data();
    void fractions();
};

void TestCatalogue::shippedFileHoldsTheTable() {
    QFile table(QStringLiteral(QM_SHARED_DIR "/data/label-stocks.tsv"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    const StockTableResult expected = parseStockTable(table.readAll());
    QVERIFY2(expected.error.isEmpty(), qPrintable(expected.error));

    PageModel page;
    LoadLLOFile(page, QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"));
    QCOMPARE(page.LayoutCount(), expected.layouts.size());
    QCOMPARE(page.LayoutCatalogue(), expected.layouts);
    const TLabelLayoutRecord &first = page.LayoutCatalogue().first();
    QCOMPARE(first.name(), QStringLiteral("Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)"));
    QCOMPARE(first.labelCount(), 30);
}

void TestCatalogue::shippedLayoutsAreSound() {
    PageModel page;
    LoadLLOFile(page, QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"));
    QSet<QByteArray> folded;
    for (const TLabelLayoutRecord &r : page.LayoutCatalogue()) {
        const QByteArray name = r.Description;
        QVERIFY2(!folded.contains(name.toUpper()), name.constData());  // names are ASCII
        folded.insert(name.toUpper());
        QVERIFY2(r.FreeLeft >= 60 && r.FreeTop > 0, name.constData());
        QVERIFY2(r.FreeRight <= r.LabelWidth - 60 && r.FreeBottom < r.LabelHeight, name.constData());
        QVERIFY2(r.FreeRight - r.FreeLeft > r.LabelWidth / 2, name.constData());
        QVERIFY2(r.LeftMargin + (r.NumberAcross - 1) * r.HorizontalPitch + r.LabelWidth <= r.PageWidth + 5,
                 name.constData());
        QVERIFY2(r.TopMargin + (r.NumberDown - 1) * r.VerticalPitch + r.LabelHeight <= r.PageHeight + 5,
                 name.constData());
        QCOMPARE(r.StripeStyle, name.startsWith("File folder") ? 2 : 0);
        QCOMPARE(r.PaperSize, name.contains(", A4 (") ? 1 : 0);
        page.ApplyLayout(name, false);
        QCOMPARE(page.CurrentLayout(), r);
    }
}

void TestCatalogue::tableRows_data() {
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("free");  // top, left, bottom, right
    QTest::addColumn<int>("stripe");
    QTest::addColumn<int>("paper");
    QTest::newRow("rounded corners keep the text clear")
        << QByteArray("5395\tname badge\tLetter\t3375\t2333\t3750\t2500\t688\t583\t8500\t11000\t2\t4\t188")
        << "Name badge 3 3/8 x 2 1/3 in, 8 per sheet, Letter (5395)" << QList<int>{40, 188, 2293, 3187} << 0
        << 0;
    QTest::newRow("square corners, no radius given")
        << QByteArray("L7166\tparcel\tA4\t3900\t3667\t4000\t3667\t184\t347\t8268\t11693\t2\t3\t")
        << "Parcel 3.90 x 3 2/3 in, 6 per sheet, A4 (L7166)" << QList<int>{40, 60, 3627, 3840} << 0 << 1;
    QTest::newRow("file folder stock has the stripe")
        << QByteArray("5366\tfile folder\tLetter\t3438\t667\t4000\t667\t531\t500\t8500\t11000\t2\t15\t63")
        << "File folder 3 7/16 x 2/3 in, 30 per sheet, Letter (5366)" << QList<int>{40, 63, 627, 3375} << 2
        << 0;
}

void TestCatalogue::tableRows() {
    QFETCH(QByteArray, row);
    QFETCH(QString, name);
    QFETCH(QList<int>, free);
    QFETCH(int, stripe);
    QFETCH(int, paper);
    const StockTableResult result = parseStockTable(kHeader + row + '\n');
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.layouts.size(), 1);
    const TLabelLayoutRecord &r = result.layouts.first();
    QCOMPARE(r.name(), name);
    QCOMPARE((QList<int>{r.FreeTop, r.FreeLeft, r.FreeBottom, r.FreeRight}), free);
    QCOMPARE(r.StripeStyle, stripe);
    QCOMPARE(r.PaperSize, paper);
    QCOMPARE(
        r.HorizontalGutter + r.VerticalGutter + r.Reserved16 + r.Reserved18 + r.Reserved21 + r.Reserved22, 0);
}

void TestCatalogue::tableFaults_data() {
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QString>("error");
    const QByteArray good =
        "5160\taddress\tLetter\t2625\t1000\t2750\t1000\t188\t500\t8500\t11000\t3\t10\t63\n";
    QTest::newRow("no rows") << QByteArray() << "the table holds no label stock";
    QTest::newRow("too few columns") << good + "5160\taddress\tLetter\t2625\n"
                                     << "line 3: expected 14 columns";
    QTest::newRow("not a number") << QByteArray(good).replace("2625", "2.625")
                                  << "line 2: column 4 is not a length";
    QTest::newRow("unknown paper") << QByteArray(good).replace("Letter", "Legal") << "line 2: unknown paper";
    QTest::newRow("too many labels") << QByteArray(good).replace("\t3\t10\t", "\t15\t14\t")
                                     << "line 2: 210 labels per sheet";
    QTest::newRow("same stock twice") << good + good << "line 3: name";
}

void TestCatalogue::tableFaults() {
    QFETCH(QByteArray, rows);
    QFETCH(QString, error);
    const StockTableResult result = parseStockTable(kHeader + rows);
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    QVERIFY(result.layouts.isEmpty());
}

void TestCatalogue::fractions_data() {
    QTest::addColumn<int>("thousandths");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1000 << "1";
    QTest::newRow("eighths") << 2625 << "2 5/8";
    QTest::newRow("thirds") << 1333 << "1 1/3";
    QTest::newRow("below one") << 667 << "2/3";
    QTest::newRow("sixteenths") << 437 << "7/16";
    QTest::newRow("lowest terms") << 2500 << "2 1/2";
    QTest::newRow("near a whole") << 10998 << "11";
    QTest::newRow("no simple fraction") << 3900 << "3.90";
}

void TestCatalogue::fractions() {
    QFETCH(int, thousandths);
    QFETCH(QString, text);
    QCOMPARE(inchesAsFraction(thousandths), text);
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

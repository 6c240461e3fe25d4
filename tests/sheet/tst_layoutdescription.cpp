// The layout description lines of the Select Layout dialog and the inches figures in them.
#include "sheet/LayoutDescription.h"
#include "sheet/PageModel.h"

#include "TestLayouts.h"

#include <QTest>

class TestLayoutDescription : public QObject {
    Q_OBJECT
private slots:
    void inchesFigures_data();
    void inchesFigures();
    void inchesUseTheLocaleSeparator();
    void describeLines_data();
    void describeLines();
    void firstEntryOfTheNameIsDescribed();
    void unknownNameGivesNothing();
};

void TestLayoutDescription::inchesFigures_data() {
    QTest::addColumn<int>("thousandths");
    QTest::addColumn<QString>("text");
    QTest::newRow("2625 rounds half up") << 2625 << "2.63";
    QTest::newRow("125 rounds half up") << 125 << "0.13";
    QTest::newRow("1005 exactly half") << 1005 << "1.01";  // 1.005 is below half in binary
    QTest::newRow("1000") << 1000 << "1.00";
    QTest::newRow("500") << 500 << "0.50";
    QTest::newRow("11000 without group separator") << 11000 << "11.00";
    QTest::newRow("zero") << 0 << "0.00";
    QTest::newRow("4 rounds down") << 4 << "0.00";
    QTest::newRow("995 carries") << 995 << "1.00";
    QTest::newRow("-125 away from zero") << -125 << "-0.13";
    QTest::newRow("-4 shows no sign") << -4 << "0.00";
    QTest::newRow("eight digits") << 12345678 << "12345.68";
    QTest::newRow("nine digits keep 7 significant") << 123456789 << "123456.80";
    QTest::newRow("int max") << 2147483647 << "2147484.00";
    QTest::newRow("int min") << std::numeric_limits<int>::min() << "-2147484.00";
}

void TestLayoutDescription::inchesFigures() {
    QFETCH(int, thousandths);
    QFETCH(QString, text);
    QCOMPARE(inches(thousandths, QLocale::c()), text);
}

void TestLayoutDescription::inchesUseTheLocaleSeparator() {
    const QLocale german(QLocale::German, QLocale::Germany);
    QCOMPARE(inches(2625, german), QStringLiteral("2,63"));
    QCOMPARE(inches(1234567, german), QStringLiteral("1234,57"));
}

void TestLayoutDescription::describeLines_data() {
    QTest::addColumn<int>("paperSize");
    QTest::addColumn<QString>("paperLine");
    QTest::newRow("Letter") << 0 << "Paper Size  :  Letter";
    QTest::newRow("A4") << 1 << "Paper Size  :  A4";
    QTest::newRow("Letter Landscape") << 2 << "Paper Size  :  Letter Landscape";
    QTest::newRow("A4 Landscape") << 3 << "Paper Size  :  A4 Landscape";
    QTest::newRow("5 adds no line") << 5 << "";
    QTest::newRow("-1 adds no line") << -1 << "";
}

void TestLayoutDescription::describeLines() {
    QFETCH(int, paperSize);
    QFETCH(QString, paperLine);
    PageModel page;
    page.AddLayout(
        TestLayout::grid(3, 10).named("Address 5160").label(2625, 1000).margins(188, 0).paper(paperSize));
    QStringList expected{
        "Number Across  :  3",          "Number Down  :  10",          "Label Width  :  2.63 inches",
        "Label Height  :  1.00 inches", "Left Margin  :  0.19 inches", "Top Margin  :  0.00 inches",
    };
    if (!paperLine.isEmpty())
        expected.append(paperLine);
    QCOMPARE(DescribeLayout(page, "ADDRESS 5160", QLocale::c()).value_or(QStringList{"none"}), expected);
}

void TestLayoutDescription::firstEntryOfTheNameIsDescribed() {
    PageModel page;
    TLabelLayoutRecord a;
    a.Description = "Twin";
    a.NumberAcross = 1;
    TLabelLayoutRecord b = a;
    b.Description = "TWIN";
    b.NumberAcross = 2;
    page.AddLayout(a);
    page.AddLayout(b);
    const auto lines = DescribeLayout(page, "twin", QLocale::c());
    QVERIFY(lines);
    QCOMPARE(lines->first(), QStringLiteral("Number Across  :  1"));
}

void TestLayoutDescription::unknownNameGivesNothing() {
    PageModel page;
    QVERIFY(!DescribeLayout(page, "anything"));
    TLabelLayoutRecord a;
    a.Description = "caf\xe9";
    page.AddLayout(a);
    QVERIFY(!DescribeLayout(page, "CAF\xc9"));
    QVERIFY(DescribeLayout(page, "CAF\xe9"));
}

QTEST_APPLESS_MAIN(TestLayoutDescription)
#include "tst_layoutdescription.moc"

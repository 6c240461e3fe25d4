// The label storage object: its persisted data block and its revision numbers.

#include "richtext/Rtf.h"
#include "richtext/RtfStorage.h"

#include <QTest>

#include <set>

class TestRtfStorage : public QObject {
    Q_OBJECT
private slots:
    void dataIsRtfAndFourZeros();
    void emptyTextHasNoData_data();
    void emptyTextHasNoData();
    void setDataWithOrWithoutTrailer_data();
    void setDataWithOrWithoutTrailer();
    void revisionsAreUniqueAcrossObjects();
};

void TestRtfStorage::dataIsRtfAndFourZeros() {
    TWPRtfStorage storage;
    const RichText text = RichText::fromPlainText(QStringLiteral("Mr J. Smith\n12 High Street"));
    storage.setRtfText(text);
    QVERIFY(storage.hasData());
    const QByteArray block = storage.data();
    QVERIFY(block.startsWith("{\\rtf1"));
    QCOMPARE(block.right(5), QByteArray("}\0\0\0\0", 5));
    QCOMPARE(block.chopped(4), writeRtf(text));

    TWPRtfStorage copy;
    copy.setData(block);
    QCOMPARE(copy.RtfText(), text);
}

void TestRtfStorage::emptyTextHasNoData_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<bool>("hasData");
    QTest::newRow("new text") << RichText() << false;
    RichText bigMark;
    bigMark.paragraphs.first().markFormat.halfPoints = 72;
    QTest::newRow("one empty paragraph in a large size") << bigMark << false;
    RichText emptyRuns;
    emptyRuns.paragraphs.first().runs.append(TextRun{QString(), {}});
    QTest::newRow("one paragraph of empty runs") << emptyRuns << false;
    QTest::newRow("two empty paragraphs") << RichText::fromPlainText(QStringLiteral("\n")) << true;
    QTest::newRow("one blank") << RichText::fromPlainText(QStringLiteral(" ")) << true;
}

void TestRtfStorage::emptyTextHasNoData() {
    QFETCH(RichText, text);
    QFETCH(bool, hasData);
    TWPRtfStorage storage;
    storage.setRtfText(text);
    QCOMPARE(storage.hasData(), hasData);
    QCOMPARE(storage.data().isEmpty(), !hasData);
    if (hasData) {
        TWPRtfStorage copy;
        copy.setData(storage.data());
        QCOMPARE(copy.RtfText(), text);
    }
}

void TestRtfStorage::setDataWithOrWithoutTrailer_data() {
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("text");
    QTest::newRow("with the four zeros") << QByteArray("{\\rtf1 abc}\0\0\0\0", 15) << QStringLiteral("abc");
    QTest::newRow("without them") << QByteArray("{\\rtf1 abc}") << QStringLiteral("abc");
    QTest::newRow("RichEdit's CRLF and one zero")
        << QByteArray("{\\rtf1 abc}\r\n\0", 14) << QStringLiteral("abc");
    QTest::newRow("empty block") << QByteArray() << QString();
    QTest::newRow("zeros only") << QByteArray(4, '\0') << QString();
}

void TestRtfStorage::setDataWithOrWithoutTrailer() {
    QFETCH(QByteArray, block);
    QFETCH(QString, text);
    TWPRtfStorage storage;
    storage.setRtfText(RichText::fromPlainText(QStringLiteral("old")));
    storage.setData(block);
    QCOMPARE(storage.RtfText().toPlainText(), text);
    QCOMPARE(storage.hasData(), !text.isEmpty());
}

void TestRtfStorage::revisionsAreUniqueAcrossObjects() {
    TWPRtfStorage a, b;
    std::set<std::uint64_t> seen;
    auto record = [&](std::uint64_t r) { return seen.insert(r).second; };
    a.setRtfText(RichText::fromPlainText(QStringLiteral("x")));
    QVERIFY(record(a.revision()));
    b.setRtfText(a.RtfText());  // same content, different object: still a new revision
    QVERIFY(record(b.revision()));
    a.clear();
    QVERIFY(record(a.revision()));
    b.setData(QByteArray("{\\rtf1 y}"));
    QVERIFY(record(b.revision()));
    a.setRtfText(RichText());  // setting the same value again is still a change event
    QVERIFY(record(a.revision()));
    QVERIFY(a.revision() > b.revision());
}

QTEST_APPLESS_MAIN(TestRtfStorage)
#include "tst_rtfstorage.moc"

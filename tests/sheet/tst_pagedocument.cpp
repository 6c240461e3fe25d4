// The page document file: its bytes, reading it back, refusing damaged files without changing
// the page, and saving without ever losing the previous file.
#include "richtext/RtfStorage.h"
#include "sheet/Filer.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"

#include "LayoutListBytes.h"

#include <sys/resource.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(text);
}

const QByteArray kHeader = hex("01 02 01 02 21 00");
const QByteArray kEmptyLabel =
    hex("01") + QByteArray("TPF0") + hex("0D") + "TWPRtfStorage" + hex("00 00 00 00");

// A layout whose integers all fit one byte and whose name has 12 characters.
TLabelLayoutRecord smallLayout(int across = 3, int down = 10) {
    TLabelLayoutRecord r;
    r.Description = "Small thirty";
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        r.integer(i) = 100 - i * 9;
    r.NumberAcross = across;
    r.NumberDown = down;
    return r;
}

QByteArray labelList(const QByteArray &data) {
    if (data.isNull())
        return kEmptyLabel;
    QByteArray list = kEmptyLabel.chopped(3);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FilerWriter writer(buffer);
    writer.writeShortName("RtfText.Data");
    writer.writeBinary(data);
    return list + buffer.data() + hex("00 00 00");
}

void setUpPage(PageModel &page, const TLabelLayoutRecord &layout) {
    page.AddLayout(layout);
    page.ApplyLayout(layout.Description, false);
}

QByteArray saved(const PageModel &page) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    page.saveTo(buffer);
    return buffer.data();
}

QString loadError(PageModel &page, const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        page.loadFrom(buffer);
    } catch (const FilerError &error) {
        return error.message();
    }
    return QString();
}

RichText formatted() {
    RichText text;
    text.paragraphs.clear();
    Paragraph first;
    first.alignment = ParagraphAlignment::Center;
    CharFormat bold;
    bold.bold = true;
    bold.halfPoints = 28;
    first.runs.append(TextRun{"Ms J. Doe", bold});
    first.markFormat = bold;
    Paragraph second;
    CharFormat red;
    red.family = "Times New Roman";
    red.color = 0xffc00000;
    red.italic = true;
    second.runs.append(TextRun{QString::fromUtf8("12 Rue de l'\xc3\x89glise"), red});
    second.markFormat = red;
    text.paragraphs = {first, second};
    return text;
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class TestPageDocument : public QObject {
    Q_OBJECT
private slots:
    void thirtyEmptyLabelsAre756Bytes();
    void labelWithTextTakes41PlusData();
    void textDeletedToOneEmptyParagraphIsNotStored();
    void roundTripKeepsLayoutAndTexts();
    void anyHeaderIntegersAreRead_data();
    void anyHeaderIntegersAreRead();
    void bytesAfterTheLastLabelAreIgnored();
    void loadingNeverConsultsTheCatalogue();
    void damagedDocumentsFail_data();
    void damagedDocumentsFail();
    void failedLoadLeavesThePageUsable();
    void missingFileNamesThePath();
    void saveThroughFileRoundTrips();
    void failedWriteKeepsThePreviousFile();
    void uncreatableTargetsFail_data();
    void uncreatableTargetsFail();
};

void TestPageDocument::thirtyEmptyLabelsAre756Bytes() {
    PageModel page;
    setUpPage(page, smallLayout());
    const QByteArray bytes = saved(page);
    QCOMPARE(bytes.size(), 756);
    QCOMPARE(kEmptyLabel.size(), 23);
    QCOMPARE(bytes.toHex(' '),
             (kHeader + layoutListBytes(smallLayout()) + kEmptyLabel.repeated(30)).toHex(' '));
}

void TestPageDocument::labelWithTextTakes41PlusData() {
    PageModel page;
    setUpPage(page, smallLayout(1, 1));
    page.LabelStorage(1)->setRtfText(RichText::fromPlainText("Hello"));
    const QByteArray data = page.LabelStorage(1)->data();
    QVERIFY(data.startsWith("{\\rtf1"));
    QVERIFY(data.endsWith(QByteArray(4, '\0')));
    const QByteArray bytes = saved(page);
    const QByteArray label = bytes.mid(6 + 60);
    QCOMPARE(label.size(), 41 + data.size());
    QCOMPARE(label.toHex(' '), labelList(data).toHex(' '));
}

void TestPageDocument::textDeletedToOneEmptyParagraphIsNotStored() {
    PageModel page;
    setUpPage(page, smallLayout(1, 1));
    page.LabelStorage(1)->setRtfText(RichText::fromPlainText("gone soon"));
    RichText empty;
    empty.paragraphs.first().markFormat.bold = true;  // formatting alone is no text
    page.LabelStorage(1)->setRtfText(empty);
    QCOMPARE(saved(page).mid(66), kEmptyLabel);
}

void TestPageDocument::roundTripKeepsLayoutAndTexts() {
    TLabelLayoutRecord layout = smallLayout(2, 3);
    layout.Description = "R\xe9serv\xe9 fields \x80";
    layout.Reserved16 = -40000;
    layout.Reserved18 = 127;
    layout.Reserved21 = 2147483647;
    layout.Reserved22 = -2147483647 - 1;
    layout.StripeStyle = 9;
    layout.PageWidth = 8268;
    PageModel page;
    setUpPage(page, layout);
    page.LabelStorage(1)->setRtfText(formatted());
    page.LabelStorage(4)->setRtfText(RichText::fromPlainText(QString(300, 'w') + "\nsecond line"));
    const QByteArray bytes = saved(page);

    PageModel back;
    QCOMPARE(loadError(back, bytes), QString());
    QVERIFY(back.CurrentLayout() == layout);
    QCOMPARE(back.LabelsPerPage(), 6);
    for (int n = 1; n <= 6; ++n) {
        QCOMPARE(back.LabelStorage(n)->RtfText().toPlainText(),
                 page.LabelStorage(n)->RtfText().toPlainText());
        QCOMPARE(back.LabelStorage(n)->data(), page.LabelStorage(n)->data());
    }
    const RichText &text = back.LabelStorage(1)->RtfText();
    QCOMPARE(text.paragraphs.size(), 2);
    QCOMPARE(text.paragraphs[0].alignment, ParagraphAlignment::Center);
    QVERIFY(text.paragraphs[0].runs.first().format.bold);
    QCOMPARE(text.paragraphs[0].runs.first().format.halfPoints, 28);
    QCOMPARE(text.paragraphs[1].runs.first().format.family, QStringLiteral("Times New Roman"));
    QCOMPARE(text.paragraphs[1].runs.first().format.color, QRgb(0xffc00000));
    QVERIFY(text.paragraphs[1].runs.first().format.italic);
    QCOMPARE(saved(back), bytes);
}

void TestPageDocument::anyHeaderIntegersAreRead_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("7 and 99") << hex("01 02 07 02 63 00");
    QTest::newRow("wide integers") << hex("01 04 00 00 01 00 03 FF FF 00");
}

void TestPageDocument::anyHeaderIntegersAreRead() {
    QFETCH(QByteArray, header);
    PageModel page;
    QCOMPARE(loadError(page, header + layoutListBytes(smallLayout(1, 2)) + kEmptyLabel + kEmptyLabel),
             QString());
    QCOMPARE(page.LabelsPerPage(), 2);
}

void TestPageDocument::bytesAfterTheLastLabelAreIgnored() {
    PageModel page;
    const QByteArray bytes = kHeader + layoutListBytes(smallLayout(1, 1)) + kEmptyLabel + "junk \x01\x02\xff";
    QCOMPARE(loadError(page, bytes), QString());
    QCOMPARE(page.LabelsPerPage(), 1);
}

void TestPageDocument::loadingNeverConsultsTheCatalogue() {
    PageModel page;
    setUpPage(page, smallLayout());
    TLabelLayoutRecord own = smallLayout(2, 2);
    own.Description = "Nobody's layout";
    QCOMPARE(loadError(page, kHeader + layoutListBytes(own) + kEmptyLabel.repeated(4)), QString());
    QVERIFY(page.CurrentLayout() == own);
    QCOMPARE(page.LayoutCount(), 1);
}

void TestPageDocument::damagedDocumentsFail_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray head = kHeader + layoutListBytes(smallLayout(1, 3));
    const QByteArray one = kEmptyLabel;
    QTest::newRow("empty file") << QByteArray() << "Stream read error";
    QTest::newRow("fewer label lists than labels") << head + one + one << "Stream read error";
    QTest::newRow("layout list cut off") << head.left(40) << "Stream read error";
    QTest::newRow("label is not a list") << head + hex("02 01") << "Invalid property value";
    QTest::newRow("label list not closed") << head + one.chopped(1) + hex("01") << "Invalid property value";
    QTest::newRow("record without signature")
        << head + hex("01") + "TPF1" + one.mid(5) << "Invalid stream format";
    QTest::newRow("unknown property in a label") << head + hex("01") + "TPF0" + hex("0D") + "TWPRtfStorage" +
                                                        hex("00 04") + "Font" + hex("02 01 00 00 00")
                                                 << "Property does not exist";
    QByteArray bomb = labelList("x");
    bomb.replace(bomb.indexOf("\x0a\x01"), 5, hex("0A FF FF FF 7F"));
    QTest::newRow("data length past the end") << head + bomb << "Stream read error";
    QTest::newRow("child component in a label")
        << head + one.chopped(2) + hex("06") + "TChild" + hex("00 00 00 00") << "Class TChild not found";
    for (const auto &[across, down, name] :
         {std::tuple{0, 5, "no labels across"}, std::tuple{15, 14, "210 labels"},
          std::tuple{-2, -3, "negative counts"}, std::tuple{70000, 70000, "count beyond 32 bits"}}) {
        QTest::newRow(name) << kHeader + layoutListBytes(smallLayout(across, down)) + one.repeated(6)
                            << "Invalid property value";
    }
}

void TestPageDocument::damagedDocumentsFail() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    PageModel page;
    QCOMPARE(loadError(page, bytes), message);
}

void TestPageDocument::failedLoadLeavesThePageUsable() {
    TLabelLayoutRecord before = smallLayout(2, 5);
    before.Description = "Before";
    PageModel page;
    setUpPage(page, before);
    page.LabelStorage(2)->setRtfText(RichText::fromPlainText("still here"));

    TLabelLayoutRecord other = smallLayout(3, 10);
    const QByteArray cut =
        kHeader + layoutListBytes(other) + labelList(page.LabelStorage(2)->data()) + kEmptyLabel;
    QCOMPARE(loadError(page, cut), QStringLiteral("Stream read error"));
    QVERIFY(page.CurrentLayout() == before);
    QCOMPARE(page.LabelsPerPage(), 10);
    QCOMPARE(page.LabelStorage(2)->RtfText().toPlainText(), QStringLiteral("still here"));

    page.ClearAllLabels();
    QVERIFY(page.LabelStorage(2)->RtfText().IsEmpty());
    page.ApplyLayout("Before", true);
    QCOMPARE(page.LabelsPerPage(), 10);
    QCOMPARE(loadError(page, kHeader + layoutListBytes(other) + kEmptyLabel.repeated(30)), QString());
    QCOMPARE(page.LabelsPerPage(), 30);
    for (int n = 1; n <= 30; ++n)
        QVERIFY(page.LabelStorage(n));
}

void TestPageDocument::missingFileNamesThePath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("LF000000.QMK");
    PageModel page;
    QString message;
    try {
        page.LoadFromFile(path);
    } catch (const FilerError &error) {
        message = error.message();
    }
    QCOMPARE(message, "Cannot open file " + path);
}

void TestPageDocument::saveThroughFileRoundTrips() {
    QTemporaryDir dir;
    const QString path = dir.filePath("LF000000.QMK");
    writeFile(path, QByteArray(5000, 'o'));  // an existing, longer file is replaced
    PageModel page;
    setUpPage(page, smallLayout());
    page.LabelStorage(30)->setRtfText(RichText::fromPlainText("last"));
    page.SaveToFile(path);
    QCOMPARE(readFile(path), saved(page));
    PageModel back;
    back.LoadFromFile(path);
    QCOMPARE(back.LabelStorage(30)->RtfText().toPlainText(), QStringLiteral("last"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LF000000.QMK"});
}

void TestPageDocument::failedWriteKeepsThePreviousFile() {
    // A file size limit makes writes past 200 bytes fail (as on a full disk), whoever runs this.
    QTemporaryDir dir;
    const QString path = dir.filePath("LF000001.QMK");
    const QByteArray old = "the previous document";
    writeFile(path, old);
    PageModel page;
    setUpPage(page, smallLayout());

    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 200;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString message;
    try {
        page.SaveToFile(path);
    } catch (const FilerError &error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(message, QStringLiteral("Stream write error"));
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LF000001.QMK"});
}

void TestPageDocument::uncreatableTargetsFail_data() {
    QTest::addColumn<QString>("relative");
    QTest::newRow("folder missing") << "no such folder/LF000000.QMK";
    QTest::newRow("target is a folder") << "a folder";
}

void TestPageDocument::uncreatableTargetsFail() {
    QFETCH(QString, relative);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("a folder"));
    const QString path = dir.filePath(relative);
    PageModel page;
    setUpPage(page, smallLayout());
    QString message;
    try {
        page.SaveToFile(path);
    } catch (const FilerError &error) {
        message = error.message();
    }
    QCOMPARE(message, "Cannot create file " + path);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(QFileInfo(dir.filePath("a folder")).isDir());
}

QTEST_APPLESS_MAIN(TestPageDocument)
#include "tst_pagedocument.moc"

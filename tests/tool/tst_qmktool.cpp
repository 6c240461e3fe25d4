// qmktool run as a process: listing the shipped catalogue, making a document and showing it,
// and its errors.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run qmktool(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(QM_PROGRAM_DIR "/qmktool"), args);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace

class TestQmkTool : public QObject {
    Q_OBJECT
private slots:
    void layoutsListsTheShippedCatalogue();
    void newThenShow();
    void newDocumentMatchesTheLayoutFile();
    void errors_data();
    void errors();
};

void TestQmkTool::layoutsListsTheShippedCatalogue() {
    const Run run = qmktool({"layouts"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.first(), QStringLiteral("Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)"));
    QVERIFY(lines.contains("  LabelWidth = 2625"));
    QVERIFY(lines.contains("  Number Across  :  3"));
    QVERIFY(lines.contains("  Label Width  :  2.63 inches"));
    QVERIFY(lines.contains("  Paper Size  :  Letter"));
    QVERIFY(lines.contains("  Paper Size  :  A4"));
    QCOMPARE(run.out.count("  Number Down  :  "), 50);  // one description per layout of the table

    const Run explicitFile = qmktool({"layouts", QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO")});
    QCOMPARE(explicitFile.out, run.out);
}

void TestQmkTool::newThenShow() {
    QTemporaryDir dir;
    const QString path = dir.filePath("LF000000.QMK");
    const Run made = qmktool({"new", "address 2 5/8 X 1 IN, 30 PER SHEET, LETTER (5160)", path, "--text",
                              "1=Ms J. Doe\n12 High Street", "--text", "30=Last=label"});
    QCOMPARE(made.status, 0);
    QVERIFY2(made.err.isEmpty(), qPrintable(made.err));

    const Run shown = qmktool({"show", path});
    QCOMPARE(shown.status, 0);
    const QStringList lines = shown.out.split('\n');
    QCOMPARE(lines.first(), QStringLiteral("Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)"));
    QVERIFY(lines.contains("  NumberAcross = 3"));
    QVERIFY(lines.contains("Label 1: Ms J. Doe"));
    QVERIFY(lines.contains("\t12 High Street"));
    QVERIFY(lines.contains("Label 2: "));
    QVERIFY(lines.contains("Label 30: Last=label"));
    QVERIFY(!shown.out.contains("Label 31"));
}

void TestQmkTool::newDocumentMatchesTheLayoutFile() {
    // A new page of 30 empty labels: header, layout list, 30 records of 23 bytes.
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.QMK");
    QCOMPARE(qmktool({"new", "Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)", path}).status, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QByteArray name = "Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)";
    QCOMPARE(bytes.left(9 + name.size()),
             QByteArray::fromHex("01 02 01 02 21 00 01 06") + char(name.size()) + name);
    QVERIFY(bytes.endsWith(QByteArray::fromHex("00 00 00")));
    QCOMPARE(bytes.count("TPF0\x0dTWPRtfStorage"), 30);
}

void TestQmkTool::errors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString out = QDir::temp().filePath("qmktool-never-written.QMK");
    const QString layout = "Address 2 5/8 x 1 in, 30 per sheet, Letter (5160)";
    QTest::newRow("no command") << QStringList{} << 2 << "usage: qmktool";
    QTest::newRow("unknown command") << QStringList{"print"} << 2 << "usage: qmktool";
    QTest::newRow("show without a file") << QStringList{"show"} << 2 << "usage: qmktool";
    QTest::newRow("show a missing file")
        << QStringList{"show", "/nonexistent/x.QMK"} << 1 << "qmktool: Cannot open file /nonexistent/x.QMK";
    QTest::newRow("show a layout file") << QStringList{"show", QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO")}
                                        << 1 << "qmktool: Invalid stream format";
    QTest::newRow("layouts from a missing file") << QStringList{"layouts", "/nonexistent/QMKML.LLO"} << 1
                                                 << "qmktool: Cannot open file /nonexistent/QMKML.LLO";
    QTest::newRow("unknown layout") << QStringList{"new", "No such stock", out} << 1
                                    << "qmktool: No layout named \"No such stock\"";
    QTest::newRow("label beyond the page")
        << QStringList{"new", layout, out, "--text", "31=x"} << 1 << "qmktool: Label 31 does not exist";
    QTest::newRow("text without a number")
        << QStringList{"new", layout, out, "--text", "hello"} << 1 << "qmktool: --text wants N=TEXT";
    QTest::newRow("folder missing for the output") << QStringList{"new", layout, "/nonexistent/out.QMK"} << 1
                                                   << "qmktool: Cannot create file /nonexistent/out.QMK";
}

void TestQmkTool::errors() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const Run run = qmktool(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(QDir::temp().filePath("qmktool-never-written.QMK")));
}

QTEST_GUILESS_MAIN(TestQmkTool)
#include "tst_qmktool.moc"

// Start-up and shutdown: one running copy of the real executable, the layout file's failure at
// the first activation and its retry, and a program folder that refuses every write.

#include "AppFixture.h"

#include <unistd.h>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>

namespace {
// Copies the built program under a name of its own, so that neither a developer's running
// Quillmark nor another test's copy counts as the same program.
QString installCopy(const QString &folder, const QString &name) {
    const QString exe = folder + name;
    if (!QFile::copy(QStringLiteral(QM_PROGRAM_DIR "/quillmark"), exe))
        return {};
    QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner);
    QFile::copy(QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"), folder + QStringLiteral("QMKML.LLO"));
    return exe;
}

bool waitUntilListening(const QString &serverName, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QLocalSocket probe;
        probe.connectToServer(serverName);
        if (probe.waitForConnected(100))
            return true;
        QTest::qWait(50);
    }
    return false;
}
}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyHandsOverAndExits();
    void startsWithCatalogueAndNoPage();
    void missingLayoutFileIsReportedOnceAndRetried();
    void refusedWritesAtCloseAreReportedOnce();
};

void StartupTest::secondCopyHandsOverAndExits() {
    QTemporaryDir dir;
    const QString name = QStringLiteral("qmk-guard-%1").arg(QCoreApplication::applicationPid());
    const QString exe = installCopy(dir.path() + QLatin1Char('/'), name);
    QVERIFY(!exe.isEmpty());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(exe, {});
    QVERIFY(first.waitForStarted());
    QVERIFY2(waitUntilListening(name + u'-' + QString::number(qulonglong(::getuid())), 10000),
             "the first copy listens for later ones");

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(exe, {});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);  // the first copy goes on

    first.terminate();
    QVERIFY(first.waitForFinished(10000));
}

void StartupTest::startsWithCatalogueAndNoPage() {
    AppFixture app;
    TMainForm &form = app.start();
    QVERIFY(!form.StartupPending);
    QCOMPARE(form.QuillmarkPanel->page().LayoutCount(), 50);
    QVERIFY(form.QuillmarkPanel->isHidden());
    QVERIFY(app.script.boxes.isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Quillmark     [100%]"));
}

void StartupTest::missingLayoutFileIsReportedOnceAndRetried() {
    AppFixture app;
    QFile::remove(app.folder + QStringLiteral("QMKML.LLO"));
    TMainForm &form = app.start();
    QCOMPARE(app.script.boxes.size(), 1);
    QCOMPARE(app.script.boxes.first().text,
             QStringLiteral("Cannot open file ") + app.folder + QStringLiteral("QMKML.LLO"));
    QVERIFY(form.StartupPending);
    QCOMPARE(form.QuillmarkPanel->page().LayoutCount(), 0);
    QVERIFY(form.New1->isEnabled());  // the window stays usable

    // The activation that the closing report itself causes does not try again.
    form.FormActivate();
    QCOMPARE(app.script.boxes.size(), 1);

    // A later activation does, and now finds the file.
    QFile::copy(QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"), app.folder + QStringLiteral("QMKML.LLO"));
    QTest::qWait(1100);
    form.FormActivate();
    QCOMPARE(app.script.boxes.size(), 1);
    QVERIFY(!form.StartupPending);
    QCOMPARE(form.QuillmarkPanel->page().LayoutCount(), 50);
}

void StartupTest::refusedWritesAtCloseAreReportedOnce() {
    AppFixture app;
    // As root no permission stops a write; a folder where the ini file belongs does.
    QVERIFY(QDir(app.folder).mkdir(QStringLiteral("QMKML.ini")));
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("typed"));
    app.script.answers = {IDNO};  // "Save changes?"
    QVERIFY(form.close());
    QCOMPARE(app.script.boxes.size(), 2);
    QCOMPARE(app.script.boxes[0].text, QStringLiteral("Save changes?"));
    QCOMPARE(app.script.boxes[1].text,
             QStringLiteral("Unable to write to ") + app.folder + QStringLiteral("QMKML.ini"));
    app.form.reset();  // the recent-files list does not report again as the window goes
    QCOMPARE(app.script.boxes.size(), 2);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

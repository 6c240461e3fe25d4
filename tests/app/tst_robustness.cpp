// Ways a user can lose typed text, see a failure reported as success (or the reverse), or be left
// with an unusable page, each driven through the real window with scripted answers.

#include "AppFixture.h"

#include <QAction>
#include <QMenu>

#include "platform/MRUFileList.h"
#include "sheet/LayoutCatalogue.h"

namespace {
const QByteArray kShipping = "Shipping 4 x 2 in, 10 per sheet, Letter (5163)";
const QByteArray kReturnAddress = "Return address 1 3/4 x 1/2 in, 80 per sheet, Letter (5167)";

bool anyBoxStartsWith(const AppFixture &app, const QString &start) {
    for (const AskedBox &box : app.script.boxes)
        if (box.text.startsWith(start))
            return true;
    return false;
}

// Makes the initialisation file unwritable: a folder stands where the file would be.
void blockIniFile(AppFixture &app) {
    QFile::remove(app.folder + QStringLiteral("QMKML.ini"));
    QVERIFY(QDir(app.folder).mkdir(QStringLiteral("QMKML.ini")));
}
}  // namespace

class RobustnessTest : public QObject {
    Q_OBJECT
private slots:
    void modifiedPageStaysModifiedWhenNotReplaced_data();
    void modifiedPageStaysModifiedWhenNotReplaced();
    void overflowingLabelCanBeShortened();
    void unwritableRecentListDoesNotFailAGoodOpen();
    void unwritableIniDoesNotThrowOutOfCommands_data();
    void unwritableIniDoesNotThrowOutOfCommands();
    void damagedZoomPreferenceLeavesPageUsable_data();
    void damagedZoomPreferenceLeavesPageUsable();
    void recentEntryKeptWhenUserStaysOnPage();
    void refusedFirstKeystrokeKeepsCaretAndFormat();
    void queuedZoomKeysLeaveOneEditorOverItsLabel();
    void recentListBoundedWhenRead();
    void startupRetryKeepsPageOpenedMeanwhile();
};

// The save question answered No means "discard when the page is replaced". When the command
// then does not replace the page, the page still holds the unsaved text and must still count as
// modified, or closing the program throws the text away without asking.
void RobustnessTest::modifiedPageStaysModifiedWhenNotReplaced_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("open dialog cancelled") << QStringLiteral("cancel");
    QTest::newRow("open wrong extension") << QStringLiteral("extension");
    QTest::newRow("recent file deleted") << QStringLiteral("recent");
}

void RobustnessTest::modifiedPageStaysModifiedWhenNotReplaced() {
    QFETCH(QString, how);
    AppFixture app;
    TMainForm &form = app.start();
    const QString other = app.folder + QStringLiteral("other.QMK");
    if (how == QLatin1String("recent")) {
        app.newPage();
        form.QuillmarkPanel->SaveToFile(other);
        app.script.openNames = {other};
        form.Open1Click();
        QCOMPARE(form.CurrentFileName, other);
    }
    app.newPage();
    app.type(QStringLiteral("typed"));
    QVERIFY(form.PageModified);
    app.script.answers = {IDNO};  // "Save changes?"
    if (how == QLatin1String("cancel")) {
        form.Open1Click();
    } else if (how == QLatin1String("extension")) {
        app.script.openNames = {app.folder + QStringLiteral("notes.txt")};
        form.Open1Click();
    } else {
        QFile::remove(other);
        QAction *entry = recentAction(form, 0);
        QVERIFY(entry);
        entry->trigger();
    }
    QCOMPARE(app.labelText(1), QStringLiteral("typed"));  // the page was not replaced...
    QVERIFY(!form.QuillmarkPanel->isHidden());
    QVERIFY2(form.PageModified, "...so it must still be offered for saving");
    QVERIFY(!form.Savebutton->isHidden());
}

// A label whose text is taller than the label (after Change Layout to smaller labels, or from a
// document) must still accept edits that shorten it; otherwise Backspace and Delete are refused.
void RobustnessTest::overflowingLabelCanBeShortened() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage(kShipping);
    for (int line = 0; line < 4; ++line) {
        app.type(QStringLiteral("Line %1").arg(line));
        app.key(Qt::Key_Return);
    }
    app.type(QStringLiteral("Last"));
    const QString full = app.labelText(1);
    QVERIFY(full.endsWith(QStringLiteral("Last")));
    app.chooseLayoutNext(kReturnAddress);
    form.mnuChangeLayoutClick();  // "Save changes?" answered No
    QCOMPARE(app.labelText(1), full);
    app.clickLabel(1);
    QVERIFY(form.EditorOpen);
    QVERIFY(!form.WPRichText1->TextFits());  // the kept text no longer fits
    app.key(Qt::Key_End, Qt::ControlModifier);
    app.key(Qt::Key_Backspace);
    QCOMPARE(app.labelText(1), full.chopped(1));
}

// Writing the recent-files list is not part of reading the document: a refused write of the
// initialisation file must not turn a good document into "Unable to open ..." and hide it.
void RobustnessTest::unwritableRecentListDoesNotFailAGoodOpen() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("content"));
    const QString path = app.folder + QStringLiteral("good.QMK");
    form.QuillmarkPanel->SaveToFile(path);
    blockIniFile(app);
    app.script.answers = {IDNO};
    app.script.openNames = {path};
    form.Open1Click();
    QVERIFY2(!anyBoxStartsWith(app, QStringLiteral("Unable to open ")), "a readable file was refused");
    QCOMPARE(form.CurrentFileName, path);
    QVERIFY(!form.QuillmarkPanel->isHidden());
    QCOMPARE(app.labelText(1), QStringLiteral("content"));
}

// Commands that write the initialisation file must not let its write error escape: out of a
// menu command it reaches the event loop and ends the program, with the page unsaved.
void RobustnessTest::unwritableIniDoesNotThrowOutOfCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Save As") << QStringLiteral("saveas");
    QTest::newRow("Show Hints") << QStringLiteral("hints");
}

void RobustnessTest::unwritableIniDoesNotThrowOutOfCommands() {
    QFETCH(QString, command);
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("keep me"));
    blockIniFile(app);
    const QString path = app.folder + QStringLiteral("saved.QMK");
    bool threw = false;
    try {
        if (command == QLatin1String("saveas")) {
            app.script.saveNames = {path};
            form.mnuSaveAsClick();
        } else {
            form.mnushowHint->trigger();
        }
    } catch (const std::exception &) {
        threw = true;
    }
    QVERIFY2(!threw, "the write error escaped the command");
    if (command == QLatin1String("saveas")) {
        QVERIFY(QFile::exists(path));
        QCOMPARE(form.CurrentFileName, path);
        QVERIFY(!form.PageModified);
    }
}

// A damaged "Zooming"/"Main" value must not leave the page invisible or out of reach of the
// zoom buttons, which step by 10 between 60 and 100.
void RobustnessTest::damagedZoomPreferenceLeavesPageUsable_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("negative") << QStringLiteral("-2147483648");
    QTest::newRow("huge") << QStringLiteral("2147483647");
}

void RobustnessTest::damagedZoomPreferenceLeavesPageUsable() {
    QFETCH(QString, value);
    AppFixture app;
    QFile ini(app.folder + QStringLiteral("QMKML.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Zooming]\r\nMain=" + value.toLatin1() + "\r\n");
    ini.close();
    TMainForm &form = app.start();
    app.newPage();
    const int magnification = form.QuillmarkPanel->Magnification();
    QVERIFY2(magnification >= 60 && magnification <= 100, qPrintable(QString::number(magnification)));
    QVERIFY(form.QuillmarkPanel->width() > 0 && form.QuillmarkPanel->height() > 0);
}

// The clicked entry leaves the list before the save question; when the save fails and the user
// chooses to stay, nothing is opened and the entry must come back.
void RobustnessTest::recentEntryKeptWhenUserStaysOnPage() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    const QString other = app.folder + QStringLiteral("other.QMK");
    form.QuillmarkPanel->SaveToFile(other);
    const QString mine = app.folder + QStringLiteral("mine.QMK");
    form.QuillmarkPanel->SaveToFile(mine);
    app.script.openNames = {other, mine};
    form.Open1Click();
    form.Open1Click();
    app.clickLabel(1);
    app.type(QStringLiteral("edit"));
    QFile::remove(mine);
    QVERIFY(QDir(app.folder).mkdir(QStringLiteral("mine.QMK")));  // the save will fail
    app.script.answers = {IDYES, IDNO};  // save? yes; it fails; discard and go on? no
    QAction *entry = recentAction(form, 1);
    QVERIFY(entry && entry->text().endsWith(other));
    entry->trigger();
    QCOMPARE(form.CurrentFileName, mine);  // stayed on the page
    QVERIFY(form.PageModified);
    bool listed = false;
    for (int i = 0; recentAction(form, i); ++i)
        listed = listed || recentAction(form, i)->text().endsWith(other);
    QVERIFY2(listed, "the recent entry of a document that was not opened vanished");
}

// A keystroke refused as the first change in a label must leave the caret and the formatting as
// they were in this label, not bring back those remembered in the label edited before.
void RobustnessTest::refusedFirstKeystrokeKeepsCaretAndFormat() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage(kReturnAddress);
    app.key(Qt::Key_Tab);  // label 2: fill it line by line until a line is refused
    for (int lines = 0; lines < 20; ++lines) {
        const QString before = app.labelText(2);
        app.type(QStringLiteral("L"));
        app.key(Qt::Key_Return);
        if (app.labelText(2) == before)
            break;
    }
    const QString full = app.labelText(2);
    app.key(Qt::Key_Tab);  // label 3: longer, bold text sets the remembered caret and format
    TextAttributes bold = form.WPRichText1->CurrentAttributes();
    bold.style |= TextAttributes::Bold;
    form.WPRichText1->setCurrentAttributes(bold);
    app.type(QStringLiteral("abcdefghij"));
    QCOMPARE(form.SelectedLabel, 3);
    app.key(Qt::Key_Backtab, Qt::ShiftModifier);  // back to label 2, caret at its start
    QCOMPARE(form.SelectedLabel, 2);
    const int caret = form.WPRichText1->CaretPosition();
    const TextAttributes attributes = form.WPRichText1->CurrentAttributes();
    app.key(Qt::Key_Return);  // one line too many: refused
    QCOMPARE(app.labelText(2), full);
    QCOMPARE(form.WPRichText1->CaretPosition(), caret);
    QVERIFY(form.WPRichText1->CurrentAttributes() == attributes);
}

// Page Down pressed several times before the window gets to them (auto-repeat, a slow
// repaint): each zoom step lets pending events through, so steps run inside each other.
void RobustnessTest::queuedZoomKeysLeaveOneEditorOverItsLabel() {
    AppFixture app;
    QFile ini(app.folder + QStringLiteral("QMKML.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Zooming]\r\nMain=60\r\n");
    ini.close();
    TMainForm &form = app.start();
    app.newPage();
    app.clickLabel(4);
    app.type(QStringLiteral("four"));
    QWidget *target = app.keyTarget();
    for (int i = 0; i < 3; ++i) {
        QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier));
        QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier));
    }
    QApplication::processEvents();
    QApplication::processEvents();
    QVERIFY(form.EditorOpen);
    QCOMPARE(form.SelectedLabel, 4);
    QCOMPARE(app.labelText(4), QStringLiteral("four"));
    const QRect free = form.QuillmarkPanel->cellRects(4).rFree;
    QCOMPARE(form.WPRichText1->geometry().topLeft(),
             free.topLeft() + form.QuillmarkPanel->pos() + QPoint(1, 1));
    QCOMPARE(form.QuillmarkPanel->Magnification(), 90);  // no key press lost
    QVERIFY(form.windowTitle().endsWith(QStringLiteral("[90%]")));
}

// The recent-files section is read whole and written back whole at every open and at close,
// one key at a time: a damaged section of many thousand lines makes start and close take
// minutes. The list holds five entries; more are never shown or kept.
void RobustnessTest::recentListBoundedWhenRead() {
    AppFixture app;
    QFile ini(app.folder + QStringLiteral("QMKML.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[MRU]\r\n");
    for (int i = 0; i < 5000; ++i)
        ini.write(QStringLiteral("F%1=%2missing%1.QMK\r\n").arg(i).arg(app.folder).toUtf8());
    ini.write("F5000=/" + QByteArray(100000, 'x') + "\r\n");
    ini.close();
    TMainForm &form = app.start();
    // Read in file order, but only as many entries as a person could have opened.
    QCOMPARE(form.RecentFiles->Items().size(), TMRUFileList::kMaxEntriesRead);
    QCOMPARE(form.RecentFiles->Items().first(), app.folder + QStringLiteral("missing0.QMK"));
    // The next addition cuts the list to its five entries.
    form.RecentFiles->AddItem(app.folder + QStringLiteral("new.QMK"));
    QVERIFY(recentAction(form, 4));
    QVERIFY(!recentAction(form, 5));
}

// Without the layout file the first-activation work is retried at a later activation; the user
// may have opened a document and typed in the meantime (a document needs no catalogue). When
// the retry then succeeds it must not reopen the most recent file over the edited page, nor
// mark the edited page unmodified.
void RobustnessTest::startupRetryKeepsPageOpenedMeanwhile() {
    AppFixture app;
    const QString catalogue = app.folder + QStringLiteral("QMKML.LLO");
    const QString aside = app.folder + QStringLiteral("catalogue.bak");
    QVERIFY(QFile::rename(catalogue, aside));
    TMainForm &form = app.start();
    QVERIFY(form.StartupPending);
    const QString path = app.folder + QStringLiteral("page.QMK");
    {
        PageModel page;
        LoadLLOFile(page, aside);
        page.ApplyLayout(page.LayoutCatalogue().first().Description, false);
        page.SaveToFile(path);
    }
    app.script.openNames = {path};
    form.Open1Click();
    QCOMPARE(form.CurrentFileName, path);
    app.type(QStringLiteral("typed meanwhile"));
    QVERIFY(form.PageModified);
    QVERIFY(QFile::rename(aside, catalogue));
    QTest::qWait(1100);  // past the pause after the start-up error report
    form.FormActivate();
    QVERIFY(!form.StartupPending);
    QCOMPARE(app.labelText(1), QStringLiteral("typed meanwhile"));
    QVERIFY(form.PageModified);
}

QTEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"

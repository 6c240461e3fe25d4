// The File menu's document commands, driven through the real window with scripted answers to
// its questions, file dialogs and the Select Layout dialog.

#include "AppFixture.h"

#include "platform/ProfileFile.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void saveAsProposesFreeDefaultNames();
    void saveAsExtensionCheck_data();
    void saveAsExtensionCheck();
    void openRefusesWrongExtension();
    void saveKeepsEditorAndCaret();
    void sixOpensLeaveFiveRecentEntries();
    void deletedRecentFile();
    void changeLayoutKeepsLabelsWithinCount();
    void clearAllThenCancelBringsLabelsBack();
    void closeWithUnsavedPageAndCancelledSaveAs();
    void failedSaveIsToldAndKeepsPreviousFile();
    void unreadableDocumentIsRefused();
    void newAskedAboutModifiedPage();
};

void DocumentCommandsTest::saveAsProposesFreeDefaultNames() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    form.mnuSaveAsClick();  // cancelled
    QCOMPARE(app.script.saveRequests.last().fileName, app.folder + QStringLiteral("LF000000.QMK"));
    QCOMPARE(app.script.saveRequests.last().title, QStringLiteral("Save Label Page File"));
    QCOMPARE(app.script.saveRequests.last().filter, QStringLiteral("Label Page File|*.QMK"));
    QCOMPARE(app.script.saveRequests.last().initialFolder, app.folder);

    QFile(app.folder + QStringLiteral("LF000000.QMK")).open(QIODevice::WriteOnly);
    form.mnuSaveAsClick();
    QCOMPARE(app.script.saveRequests.last().fileName, app.folder + QStringLiteral("LF000001.QMK"));

    const QString elsewhere = app.folder + QStringLiteral("sub/Home.QMK");
    QDir(app.folder).mkdir(QStringLiteral("sub"));
    app.script.saveNames = {elsewhere};
    form.mnuSaveAsClick();
    QCOMPARE(form.CurrentFileName, elsewhere);
    form.mnuSaveAsClick();
    QCOMPARE(app.script.saveRequests.last().fileName, QStringLiteral("Home.QMK"));  // name only
}

void DocumentCommandsTest::saveAsExtensionCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("x.qmk") << QStringLiteral("x.qmk") << true;
    QTest::newRow("x.QMKX") << QStringLiteral("x.QMKX") << true;
    QTest::newRow("x.qm") << QStringLiteral("x.qm") << false;
    QTest::newRow("x.txt") << QStringLiteral("x.txt") << false;
}

void DocumentCommandsTest::saveAsExtensionCheck() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.script.saveNames = {app.folder + name};  // then cancel
    form.mnuSaveAsClick();
    QCOMPARE(QFile::exists(app.folder + name), accepted);
    if (accepted) {
        QCOMPARE(app.script.saveRequests.size(), 1);
        QCOMPARE(form.CurrentFileName, app.folder + name);
        QVERIFY(!form.EditorOpen);  // the editor stays closed after Save As
    } else {
        QCOMPARE(app.script.boxes.size(), 1);
        QCOMPARE(app.script.boxes.first().text, QStringLiteral("File extension must be: QMK"));
        QCOMPARE(app.script.boxes.first().caption, QStringLiteral("Information"));
        QCOMPARE(app.script.saveRequests.size(), 2);  // the dialog came back
    }
}

void DocumentCommandsTest::openRefusesWrongExtension() {
    AppFixture app;
    TMainForm &form = app.start();
    QFile(app.folder + QStringLiteral("x.qmkx")).open(QIODevice::WriteOnly);
    app.script.openNames = {app.folder + QStringLiteral("x.qmkx")};
    form.Open1Click();
    QCOMPARE(app.script.openRequests.first().title, QStringLiteral("Open Label Page File"));
    QCOMPARE(app.script.boxes.size(), 1);
    QCOMPARE(app.script.boxes.first().text, QStringLiteral("Must be a Label Page File (*.QMK)"));
    QVERIFY(form.CurrentFileName.isEmpty());
    QVERIFY(!form.EditorOpen);
}

void DocumentCommandsTest::saveKeepsEditorAndCaret() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.script.saveNames = {app.folder + QStringLiteral("a.QMK")};
    form.mnuSaveAsClick();
    app.clickLabel(3);
    app.type(QStringLiteral("abcdef"));
    form.WPRichText1->setCaretPosition(2);
    form.WPRichText1Click();
    app.key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!form.PageModified);
    QVERIFY(form.EditorOpen);
    QCOMPARE(form.SelectedLabel, 3);
    QCOMPARE(form.WPRichText1->CaretPosition(), 2);
    PageModel reread;
    reread.LoadFromFile(app.folder + QStringLiteral("a.QMK"));
    QCOMPARE(reread.LabelStorage(3)->RtfText().toPlainText(), QStringLiteral("abcdef"));
}

void DocumentCommandsTest::sixOpensLeaveFiveRecentEntries() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    QStringList files;
    for (int i = 1; i <= 6; ++i) {
        files << app.folder + QStringLiteral("doc%1.QMK").arg(i);
        form.QuillmarkPanel->SaveToFile(files.last());
    }
    for (const QString &file : files) {
        app.script.openNames = {file};
        form.Open1Click();
        QCOMPARE(form.CurrentFileName, file);
    }
    QStringList captions = recentCaptions(form);
    QCOMPARE(captions.size(), 5);
    QCOMPARE(captions.first(), QStringLiteral("&1 ") + files[5]);
    QCOMPARE(captions.last(), QStringLiteral("&5 ") + files[1]);

    app.script.openNames = {files[2]};
    form.Open1Click();
    captions = recentCaptions(form);
    QCOMPARE(captions.size(), 5);
    QCOMPARE(captions.first(), QStringLiteral("&1 ") + files[2]);
    QCOMPARE(captions.filter(files[2]).size(), 1);

    ProfileFile ini(app.folder + QStringLiteral("QMKML.ini"));
    const QStringList lines = ini.readSectionLines(QStringLiteral("MRU"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.first(), QStringLiteral("F0=") + files[2]);
    QVERIFY(lines.last().startsWith(QStringLiteral("F4=")));
}

void DocumentCommandsTest::deletedRecentFile() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    const QString keep = app.folder + QStringLiteral("keep.QMK");
    const QString gone = app.folder + QStringLiteral("gone.QMK");
    form.QuillmarkPanel->SaveToFile(keep);
    form.QuillmarkPanel->SaveToFile(gone);
    app.script.openNames = {gone, keep};
    form.Open1Click();
    form.Open1Click();
    QFile::remove(gone);
    QCOMPARE(recentCaptions(form).size(), 2);
    recentAction(form, 1)->trigger();  // "&2 .../gone.QMK"
    QCOMPARE(app.script.boxes.last().text,
             QStringLiteral("File: ") + gone + QChar(13) + QStringLiteral("no longer exists"));
    QCOMPARE(recentCaptions(form), QStringList{QStringLiteral("&1 ") + keep});
    QCOMPARE(form.CurrentFileName, keep);  // the page stays as it was

    app.form.reset();
    TMainForm &again = app.start();
    QCOMPARE(recentCaptions(again), QStringList{QStringLiteral("&1 ") + keep});
    QCOMPARE(again.CurrentFileName, keep);  // the most recent document opens at start
    QCOMPARE(again.SelectedLabel, 1);
    QVERIFY(again.EditorOpen);
    QVERIFY(!again.PageModified);
}

void DocumentCommandsTest::changeLayoutKeepsLabelsWithinCount() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    form.CloseLabelEditor();
    for (int n = 1; n <= 30; ++n)
        form.QuillmarkPanel->LabelRichText(n)->setRtfText(RichText::fromPlainText(QString::number(n)));
    app.script.saveNames = {app.folder + QStringLiteral("page.QMK")};
    form.mnuSaveAsClick();
    QByteArray tenUp;
    for (const TLabelLayoutRecord &layout : form.QuillmarkPanel->page().LayoutCatalogue())
        if (layout.labelCount() == 10) {
            tenUp = layout.Description;
            break;
        }
    QVERIFY(!tenUp.isEmpty());
    const QByteArray thirtyUp = form.QuillmarkPanel->LayoutDescription();

    app.chooseLayoutNext(tenUp);
    form.mnuChangeLayoutClick();
    QCOMPARE(form.QuillmarkPanel->LabelsPerPage(), 10);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(app.labelText(n), QString::number(n));
    QVERIFY(form.CurrentFileName.isEmpty());
    QVERIFY(form.PageModified);
    QVERIFY(!form.windowTitle().contains(QStringLiteral("page.QMK")));

    app.chooseLayoutNext(thirtyUp);
    form.mnuChangeLayoutClick();
    QCOMPARE(form.QuillmarkPanel->LabelsPerPage(), 30);
    QCOMPARE(app.labelText(10), QStringLiteral("10"));
    for (int n = 11; n <= 30; ++n)
        QCOMPARE(app.labelText(n), QString());
}

void DocumentCommandsTest::clearAllThenCancelBringsLabelsBack() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("first"));
    app.script.saveNames = {app.folder + QStringLiteral("c.QMK")};
    form.mnuSaveAsClick();
    app.script.answers = {IDYES};
    form.mnuClearAllCellContentsClick();
    QCOMPARE(app.script.boxes.last().text, QStringLiteral("Clear all contents?"));
    QCOMPARE(app.labelText(1), QString());
    QCOMPARE(form.CurrentFileName, app.folder + QStringLiteral("c.QMK"));
    QVERIFY(!form.Savebutton->isHidden());
    QVERIFY(!form.CancelButton->isHidden());
    app.script.answers = {IDYES};
    form.CancelButton->click();
    QCOMPARE(app.script.boxes.last().text, QStringLiteral("Cancel all changes?"));
    QCOMPARE(app.script.boxes.last().caption, QStringLiteral("CANCEL"));
    QCOMPARE(app.labelText(1), QStringLiteral("first"));
    QVERIFY(!form.PageModified);
    QCOMPARE(form.SelectedLabel, 1);
    QVERIFY(form.EditorOpen);
}

void DocumentCommandsTest::closeWithUnsavedPageAndCancelledSaveAs() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("unsaved"));
    app.script.answers = {IDYES};  // "Save changes?" then the Save As dialog is cancelled
    QVERIFY(form.close());
    QCOMPARE(app.script.boxes.first().text, QStringLiteral("Save changes?"));
    QCOMPARE(app.script.boxes.size(), 1);
    QCOMPARE(app.script.saveRequests.size(), 1);
    QVERIFY(QDir(app.folder).entryList({QStringLiteral("*.QMK")}).isEmpty());
}

void DocumentCommandsTest::failedSaveIsToldAndKeepsPreviousFile() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("version one"));
    const QString path = app.folder + QStringLiteral("keep.QMK");
    app.script.saveNames = {path};
    form.mnuSaveAsClick();
    const QByteArray saved = readAll(path);
    QVERIFY(!saved.isEmpty());

    // Make the folder refuse new files: the save goes through a temporary file beside the target.
    app.clickLabel(1);
    app.type(QStringLiteral(" and two"));
    QFile::remove(path);
    QDir(app.folder).mkdir(QStringLiteral("keep.QMK"));  // the target is now a folder
    const QString blocked = path;
    form.mnuSaveClick();
    QVERIFY(form.PageModified);
    QVERIFY(app.script.boxes.last().text.startsWith(QStringLiteral("Unable to save ") + blocked));
    QVERIFY(!form.Savebutton->isHidden());

    // A failed Save As does not join the recent files, and at close the user may stay.
    QDir(app.folder).rmdir(QStringLiteral("keep.QMK"));
    QFile restored(path);
    QVERIFY(restored.open(QIODevice::WriteOnly));
    restored.write(saved);
    restored.close();
    const QString other = app.folder + QStringLiteral("nodir/other.QMK");
    app.script.saveNames = {other};
    form.mnuSaveAsClick();
    QVERIFY(!recentCaptions(form).join(QLatin1Char(' ')).contains(QStringLiteral("other.QMK")));
    QCOMPARE(readAll(path), saved);  // the previous file is intact

    QFile::remove(path);
    QDir(app.folder).mkdir(QStringLiteral("keep.QMK"));
    app.script.answers = {IDYES, IDNO};  // save? yes; the save fails; discard and close? no
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QVERIFY(form.PageModified);
}

void DocumentCommandsTest::unreadableDocumentIsRefused() {
    AppFixture app;
    TMainForm &form = app.start();
    const QString path = app.folder + QStringLiteral("bad.QMK");
    QFile bad(path);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray::fromHex("0102010221000106") + QByteArray(3, 'x'));
    bad.close();
    app.script.openNames = {path};
    form.Open1Click();
    QCOMPARE(app.script.boxes.last().text,
             QStringLiteral("Unable to open ") + path + QStringLiteral(". Possibly ") + QChar(13) +
                 QStringLiteral("corrupted, possibly not a File Folder Label file"));
    QVERIFY(form.CurrentFileName.isEmpty());
    QVERIFY(form.QuillmarkPanel->isHidden());
    QVERIFY(!form.EditorOpen);
    QVERIFY(recentCaptions(form).isEmpty());
    app.newPage();  // the panel is usable after the failure
    QCOMPARE(form.QuillmarkPanel->LabelsPerPage(), 30);
}

void DocumentCommandsTest::newAskedAboutModifiedPage() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("typed"));
    app.chooseLayoutNext(form.QuillmarkPanel->LayoutDescription());
    app.script.answers = {IDNO};
    form.New1Click();
    QCOMPARE(app.script.boxes.last().text, QStringLiteral("Save changes?"));
    QCOMPARE(app.labelText(1), QString());
    QVERIFY(!form.PageModified);
    QCOMPARE(form.SelectedLabel, 1);
    QVERIFY(form.EditorOpen);

    app.type(QStringLiteral("again"));
    app.chooseLayoutNext(QByteArray());  // Cancel in the dialog: nothing at all happens
    const int boxes = app.script.boxes.size();
    form.New1Click();
    QCOMPARE(app.script.boxes.size(), boxes);
    QCOMPARE(app.labelText(1), QStringLiteral("again"));
}

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"

// The main window: command states per document state, the caption, zoom steps and keys, Tab.

#include "AppFixture.h"

#include "richtext/TWPToolBar.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void noPageDisablesPageCommands();
    void controlStatesPerDocumentState_data();
    void controlStatesPerDocumentState();
    void caption_data();
    void caption();
    void zoomSteps_data();
    void zoomSteps();
    void zoomKeysReachPanelNotEditor();
    void tabMovesBetweenLabelsWithoutWrap();
    void showHintsToggles();
};

void MainWindowTest::noPageDisablesPageCommands() {
    AppFixture app;
    TMainForm &form = app.start();
    QVERIFY(form.QuillmarkPanel->isHidden());
    QVERIFY(!form.WPToolBar1->isEnabled());
    for (QAction *action :
         {form.mnuSaveAs, form.mnuLayoutInfo, form.mnuPrintSetup, form.mnuPrintPage, form.mnuChangeLayout,
          form.mnuClearAllCellContents, form.mnuCancelChanges, form.mnuSave})
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    for (QToolButton *button : {form.ZoomPlusButton, form.ZoomMinusButton, form.Printbutton,
                                form.ReplicateOnebutton, form.ReplicateAllbutton, form.GetSymbolbutton})
        QVERIFY2(!button->isEnabled(), qPrintable(button->toolTip()));
    QVERIFY(form.Savebutton->isHidden());
    QVERIFY(form.CancelButton->isHidden());
    for (QAction *action :
         {form.New1, form.Open1, form.DefaultEditorFont1, form.mnuPrinterFindtuning, form.Exit1})
        QVERIFY(action->isEnabled());
    QCOMPARE(form.QuillmarkPanel->page().LayoutCount(), 50);
}

void MainWindowTest::controlStatesPerDocumentState_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("new page, editing") << false << false << true;
    QTest::newRow("unsaved page changed") << false << true << true;
    QTest::newRow("document") << true << false << true;
    QTest::newRow("document changed, editor closed") << true << true << false;
}

void MainWindowTest::controlStatesPerDocumentState() {
    QFETCH(bool, named);
    QFETCH(bool, modified);
    QFETCH(bool, editorOpen);
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    if (named)
        form.CurrentFileName = app.folder + QStringLiteral("x.QMK");
    form.SetPageModified(modified);
    if (!editorOpen)
        form.CloseLabelEditor();
    form.UpdateControlStates();

    QCOMPARE(form.mnuSave->isEnabled(), named);
    QCOMPARE(form.WPToolBar1->isEnabled(), editorOpen);
    QCOMPARE(form.ReplicateOnebutton->isEnabled(), editorOpen);
    QCOMPARE(form.ReplicateAllbutton->isEnabled(), editorOpen);
    QCOMPARE(form.GetSymbolbutton->isEnabled(), editorOpen);
    for (QAction *action : {form.mnuSaveAs, form.mnuLayoutInfo, form.mnuPrintSetup, form.mnuChangeLayout,
                            form.mnuClearAllCellContents})
        QVERIFY(action->isEnabled());
    QVERIFY(form.ZoomPlusButton->isEnabled());
    QCOMPARE(form.mnuPrintPage->isEnabled(), form.PrinterAvailable);
    QCOMPARE(form.Printbutton->isEnabled(), form.PrinterAvailable);
    QCOMPARE(form.mnuCancelChanges->isEnabled(), named);
    QCOMPARE(!form.Savebutton->isHidden(), modified);
    QCOMPARE(!form.CancelButton->isHidden(), modified && named);
}

void MainWindowTest::caption_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no document at 100") << QString() << 100 << QStringLiteral("Quillmark     [100%]");
    QTest::newRow("unsaved at 80") << QString() << 80 << QStringLiteral("Quillmark     [80%]");
    QTest::newRow("saved at 80") << QStringLiteral("/home/u/Labels/Home.QMK") << 80
                                 << QStringLiteral("Quillmark   [Home.QMK]    [80%]");
}

void MainWindowTest::caption() {
    QFETCH(QString, file);
    QFETCH(int, magnification);
    QFETCH(QString, expected);
    AppFixture app;
    TMainForm &form = app.start();
    form.QuillmarkPanel->setMagnification(magnification);
    form.CurrentFileName = file;
    form.UpdateCaption();
    QCOMPARE(form.windowTitle(), expected);
}

void MainWindowTest::zoomSteps_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<int>("to");
    QTest::newRow("in at 100 does nothing") << 100 << true << 100;
    QTest::newRow("out at 60 does nothing") << 60 << false << 60;
    QTest::newRow("in from 80") << 80 << true << 90;
    QTest::newRow("out from 100") << 100 << false << 90;
    QTest::newRow("in from 95 overshoots") << 95 << true << 105;
    QTest::newRow("in from 105 does nothing") << 105 << true << 105;
}

void MainWindowTest::zoomSteps() {
    QFETCH(int, from);
    QFETCH(bool, zoomIn);
    QFETCH(int, to);
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    form.QuillmarkPanel->setMagnification(from);
    form.UpdateCaption();
    app.clickLabel(3);
    QVERIFY(form.EditorOpen);
    if (zoomIn)
        form.ZoomPlusButtonClick();
    else
        form.ZoomMinusButtonClick();
    QCOMPARE(form.QuillmarkPanel->Magnification(), to);
    QCOMPARE(form.windowTitle(), QStringLiteral("Quillmark     [%1%]").arg(to));
    // The editor comes back over the same label (and a step at a limit leaves it alone).
    QVERIFY(form.EditorOpen);
    QCOMPARE(form.SelectedLabel, 3);
}

void MainWindowTest::zoomKeysReachPanelNotEditor() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    app.type(QStringLiteral("ab"));
    const QString before = app.labelText(1);
    app.key(Qt::Key_PageUp);
    QCOMPARE(form.QuillmarkPanel->Magnification(), 90);
    app.key(Qt::Key_PageDown);
    QCOMPARE(form.QuillmarkPanel->Magnification(), 100);
    QCOMPARE(app.labelText(1), before);
    QCOMPARE(form.windowTitle(), QStringLiteral("Quillmark     [100%]"));
}

void MainWindowTest::tabMovesBetweenLabelsWithoutWrap() {
    AppFixture app;
    TMainForm &form = app.start();
    app.newPage();
    const int last = form.QuillmarkPanel->LabelsPerPage();
    app.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(form.SelectedLabel, 1);  // no wrap back from label 1
    app.key(Qt::Key_Tab);
    QCOMPARE(form.SelectedLabel, 2);
    QCOMPARE(app.labelText(2), QString());  // no tab character typed
    app.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(form.SelectedLabel, 1);
    app.clickLabel(last);
    app.key(Qt::Key_Tab);
    QCOMPARE(form.SelectedLabel, last);  // no wrap forward from the last label
    QCOMPARE(app.labelText(last), QString());
}

void MainWindowTest::showHintsToggles() {
    AppFixture app;
    TMainForm &form = app.start();
    QVERIFY(form.ShowHints);
    form.mnushowHint->trigger();
    QVERIFY(!form.ShowHints);
    QVERIFY(!form.mnushowHint->isChecked());
    // Saved at once, so the next run starts without hints.
    app.form.reset();
    TMainForm &again = app.start();
    QVERIFY(!again.ShowHints);
    QVERIFY(!again.mnushowHint->isChecked());
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

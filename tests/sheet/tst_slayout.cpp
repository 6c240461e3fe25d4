// The Select Layout dialog: the list, the description kept in step with the selection, the
// results of Ok, Cancel and Esc, and Help.
#include "sheet/QMKpanel.h"
#include "sheet/Slayout.h"

#include "TestLayouts.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

TLabelLayoutRecord layout(const QByteArray &name, int across, int down, int width, int paper) {
    return TestLayout::grid(across, down)
        .named(name)
        .label(width, 1000)
        .margins(188, 0)
        .paper(paper)
        .page(8500, 11000);
}

void fillCatalogue(TQMKPagePanel &panel) {
    panel.AddLayout(layout("Address 30", 3, 10, 2625, 0));
    panel.AddLayout(layout("Odd paper", 2, 7, 4000, 5));
    panel.AddLayout(layout("A4 sheet", 1, 1, 8000, 1));
    panel.AddLayout(layout("address 30", 9, 9, 500, 3));  // same name, other case
}

QStringList lines(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

// Shows the dialog over the panel's catalogue with the first entry selected; false when the
// window never came up.
bool showOnFirstLayout(TSelectLayout &dialog, TQMKPagePanel &panel) {
    dialog.PagePanel = &panel;
    dialog.fillLayoutList();
    dialog.LayoutList->setCurrentRow(0);
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
}

// Runs action on the modal dialog once it is up.
void whenModal(std::function<void(TSelectLayout &)> action) {
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<TSelectLayout *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(*dialog);
    });
}

}  // namespace

class TestSelectLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void showsFirstLayoutDescribedOnOpening();
    void descriptionFollowsKeysAndMouse();
    void descriptionIsInTwoColumns();
    void unknownNameKeepsTheDescription();
    void choose_data();
    void choose();
    void emptyCatalogueGivesNoName();
    void helpKeepsTheDialogOpen();

private:
    std::unique_ptr<TQMKPagePanel> m_panel;
};

void TestSelectLayout::init() {
    m_panel = std::make_unique<TQMKPagePanel>();
    fillCatalogue(*m_panel);
}

void TestSelectLayout::showsFirstLayoutDescribedOnOpening() {
    TSelectLayout dialog;
    QVERIFY(showOnFirstLayout(dialog, *m_panel));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Layout"));
    QCOMPARE(lines(dialog.LayoutList),
             (QStringList{"Address 30", "Odd paper", "A4 sheet", "address 30"}));  // catalogue order
    QCOMPARE(dialog.LayoutList->currentRow(), 0);
    QCOMPARE(lines(dialog.ListBox1),
             (QStringList{"Number Across  :  3", "Number Down  :  10", "Label Width  :  2.63 inches",
                          "Label Height  :  1.00 inches", "Left Margin  :  0.19 inches",
                          "Top Margin  :  0.00 inches", "Paper Size  :  Letter"}));
    QCOMPARE(dialog.okbutton->text(), QStringLiteral("Ok"));
    QVERIFY(dialog.okbutton->isDefault());
    QCOMPARE(dialog.CancelButton->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.Helpbutton->text(), QStringLiteral("Help"));
}

void TestSelectLayout::descriptionFollowsKeysAndMouse() {
    TSelectLayout dialog;
    QVERIFY(showOnFirstLayout(dialog, *m_panel));
    dialog.LayoutList->setFocus();

    QTest::keyClick(dialog.LayoutList, Qt::Key_Down);
    // Paper size 5 has no paper line.
    QCOMPARE(lines(dialog.ListBox1).size(), 6);
    QCOMPARE(dialog.ListBox1->item(1)->text(), QStringLiteral("Number Down  :  7"));

    QTest::keyClick(dialog.LayoutList, Qt::Key_Down);
    QCOMPARE(dialog.ListBox1->item(6)->text(), QStringLiteral("Paper Size  :  A4"));

    // The second "address 30" describes the first entry of that name.
    QTest::keyClick(dialog.LayoutList, Qt::Key_Down);
    QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("Number Across  :  3"));

    QTest::keyClick(dialog.LayoutList, Qt::Key_Home);
    QTest::keyClick(dialog.LayoutList, Qt::Key_Down);
    QTest::keyClick(dialog.LayoutList, Qt::Key_Up);
    QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("Number Across  :  3"));

    const QRect row3 = dialog.LayoutList->visualItemRect(dialog.LayoutList->item(2));
    QTest::mouseClick(dialog.LayoutList->viewport(), Qt::LeftButton, {}, row3.center());
    QCOMPARE(dialog.LayoutList->currentRow(), 2);
    QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("Number Across  :  1"));
}

void TestSelectLayout::descriptionIsInTwoColumns() {
    TSelectLayout dialog;
    QVERIFY(showOnFirstLayout(dialog, *m_panel));
    QListWidget *list = dialog.ListBox1;
    QCOMPARE(list->count(), 7);
    QSet<int> columns;
    int previousTop = -1;
    int firstColumnLines = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QRect r = list->visualItemRect(list->item(i));
        QVERIFY2(r.bottom() < list->viewport()->height(), "line below the list's bottom");
        if (r.left() == 0) {
            ++firstColumnLines;
            QVERIFY(r.top() > previousTop);  // down the first column
            previousTop = r.top();
        }
        columns.insert(r.left());
    }
    // Seven lines of 8-point text do not fit one 96-pixel column: the rest go to a second
    // column that starts half way across.
    QCOMPARE(columns.size(), 2);
    QVERIFY(firstColumnLines >= 4 && firstColumnLines < 7);
    const QRect last = list->visualItemRect(list->item(6));
    QVERIFY(qAbs(last.left() - list->viewport()->width() / 2) <= 2);
}

void TestSelectLayout::unknownNameKeepsTheDescription() {
    TSelectLayout dialog;
    dialog.PagePanel = m_panel.get();
    dialog.fillLayoutList();
    dialog.LayoutList->addItem(QStringLiteral("No such layout"));
    dialog.LayoutList->setCurrentRow(1);
    const QStringList before = lines(dialog.ListBox1);
    QCOMPARE(before.size(), 6);
    dialog.LayoutList->setCurrentRow(4);
    QCOMPARE(lines(dialog.ListBox1), before);
}

void TestSelectLayout::choose_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QByteArray>("expected");  // empty: no name
    QTest::newRow("Enter takes the first entry") << QList<int>{Qt::Key_Return} << QByteArray("Address 30");
    QTest::newRow("Enter after moving down")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter} << QByteArray("A4 sheet");
    QTest::newRow("Esc gives no name") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << QByteArray();
}

void TestSelectLayout::choose() {
    QFETCH(QList<int>, keys);
    QFETCH(QByteArray, expected);
    whenModal([keys](TSelectLayout &dialog) {
        for (int key : keys)
            QTest::keyClick(dialog.LayoutList, Qt::Key(key));
    });
    const std::optional<QByteArray> name = ChooseLayout(nullptr, *m_panel);
    QCOMPARE(name.has_value(), !expected.isEmpty());
    if (name)
        QCOMPARE(*name, expected);
    // The dialog changed nothing of the page.
    QCOMPARE(m_panel->LabelsPerPage(), 0);
    QCOMPARE(m_panel->page().LayoutCount(), 4);
}

void TestSelectLayout::emptyCatalogueGivesNoName() {
    TQMKPagePanel empty;
    QStringList described{"unset"};
    whenModal([&described](TSelectLayout &dialog) {
        described = lines(dialog.ListBox1);
        dialog.okbutton->click();
    });
    QCOMPARE(ChooseLayout(nullptr, empty), std::nullopt);
    QCOMPARE(described, QStringList());
}

void TestSelectLayout::helpKeepsTheDialogOpen() {
    QList<int> topics;
    bool stillOpen = false;
    int result = 0;
    whenModal([&](TSelectLayout &dialog) {
        dialog.showHelpTopic = [&topics](int context) { topics.append(context); };
        dialog.Helpbutton->click();
        stillOpen = dialog.isVisible();
        dialog.CancelButton->click();
        result = dialog.result();
    });
    QCOMPARE(ChooseLayout(nullptr, *m_panel), std::nullopt);
    QCOMPARE(topics, QList<int>{1001});
    QVERIFY(stillOpen);
    QCOMPARE(result, TSelectLayout::mrCancel);
}

QTEST_MAIN(TestSelectLayout)
#include "tst_slayout.moc"

#include "sheet/Slayout.h"

#include "platform/Services.h"
#include "sheet/LayoutDescription.h"
#include "sheet/QMKpanel.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

// Item data holding the catalogue's own bytes of a name, so a name that Windows-1252 cannot
// carry through a QString unchanged still selects its layout.
constexpr int kNameBytesRole = Qt::UserRole + 1;

constexpr int kClientWidth = 542;
constexpr int kClientHeight = 349;
constexpr int kButtonPanelHeight = 50;

QPushButton *makeButton(QWidget *parent, const QString &caption, int left) {
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(left, 9, 89, 33);
    return button;
}

}  // namespace

TSelectLayout::TSelectLayout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Select Layout"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(kClientWidth, kClientHeight);
    showHelpTopic = [](int context) { ShowHelpTopic(context); };

    Label1 = new QLabel(QStringLiteral("Available Layouts"), this);
    Label1->move(14, 11);
    Label1->adjustSize();

    LayoutList = new QListWidget(this);
    LayoutList->setObjectName(QStringLiteral("LayoutList"));
    LayoutList->setGeometry(14, 30, 510, 145);
    LayoutList->setSelectionMode(QAbstractItemView::SingleSelection);
    LayoutList->setSortingEnabled(false);
    LayoutList->setToolTip(QStringLiteral("Select a layout from this list"));

    Label2 = new QLabel(QStringLiteral("Description"), this);
    Label2->move(14, 178);
    Label2->adjustSize();

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(15, 199, 509, 96);
    ListBox1->setToolTip(QStringLiteral("This is a description of the selected layout"));
    // Two columns of half the width each: lines run down the first column, then the second.
    ListBox1->setFlow(QListView::TopToBottom);
    ListBox1->setWrapping(true);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setGridSize(
        QSize((ListBox1->width() - 2 * ListBox1->frameWidth()) / 2, ListBox1->fontMetrics().height() + 2));
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *buttonPanel = new QWidget(this);
    buttonPanel->setGeometry(0, kClientHeight - kButtonPanelHeight, kClientWidth, kButtonPanelHeight);
    okbutton = makeButton(buttonPanel, QStringLiteral("Ok"), 10);
    okbutton->setObjectName(QStringLiteral("okbutton"));
    okbutton->setDefault(true);
    CancelButton = makeButton(buttonPanel, QStringLiteral("Cancel"), 107);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    Helpbutton = makeButton(buttonPanel, QStringLiteral("Help"), 437);
    Helpbutton->setObjectName(QStringLiteral("Helpbutton"));

    connect(okbutton, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(CancelButton, &QPushButton::clicked, this, &TSelectLayout::reject);
    connect(Helpbutton, &QPushButton::clicked, this, &TSelectLayout::HelpbuttonClick);
    connect(LayoutList, &QListWidget::currentRowChanged, this, &TSelectLayout::LayoutListClick);
    connect(LayoutList, &QListWidget::itemClicked, this, &TSelectLayout::LayoutListClick);
    LayoutList->setFocus();
}

void TSelectLayout::reject() {
    done(mrCancel);
}

bool TSelectLayout::event(QEvent *event) {
    // Activation, and the first show for platforms that do not activate, rebuild the description.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        LayoutListClick();
    return QDialog::event(event);
}

void TSelectLayout::fillLayoutList() {
    if (!PagePanel)
        return;
    const QStringList names = PagePanel->ListLayoutNames();
    const QList<TLabelLayoutRecord> &catalogue = PagePanel->page().LayoutCatalogue();
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto *item = new QListWidgetItem(names[i], LayoutList);
        if (i < catalogue.size())
            item->setData(kNameBytesRole, catalogue[i].Description);
    }
}

std::optional<QByteArray> TSelectLayout::selectedName() const {
    const QListWidgetItem *item = LayoutList->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const QVariant bytes = item->data(kNameBytesRole);
    if (bytes.isValid())
        return bytes.toByteArray();
    return TLabelLayoutRecord::encodeName(item->text());
}

void TSelectLayout::LayoutListClick() {
    if (!PagePanel)
        return;
    const std::optional<QByteArray> name = selectedName();
    if (!name)
        return;
    // A name that matches no layout leaves the description as it was.
    const std::optional<QStringList> lines = DescribeLayout(PagePanel->page(), *name);
    if (!lines)
        return;
    ListBox1->clear();
    ListBox1->addItems(*lines);
}

void TSelectLayout::HelpbuttonClick() {
    if (showHelpTopic)
        showHelpTopic(HelpContext);
}

std::optional<QByteArray> ChooseLayout(QWidget *parent, TQMKPagePanel &panel) {
    TSelectLayout dialog(parent);
    CenterForm(&dialog);
    dialog.PagePanel = &panel;
    dialog.fillLayoutList();
    if (dialog.LayoutList->count() > 0)
        dialog.LayoutList->setCurrentRow(0);
    if (dialog.exec() != TSelectLayout::mrOk)
        return std::nullopt;
    return dialog.selectedName();
}

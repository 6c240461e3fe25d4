#include "app/Main.h"

#include "app/Hints.h"
#include "app/Icons.h"
#include "platform/AboutBox.h"
#include "platform/FontDialog.h"
#include "platform/Identity.h"
#include "platform/MRUFileList.h"
#include "platform/Services.h"
#include "print/CurrentPrinter.h"
#include "print/PrinterAvailability.h"
#include "richtext/TWPToolBar.h"
#include "sheet/QMKpanel.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The maker's web page opened by Online > "Visit Our Internet Website".
const char *const kWebsite = "https://quillmark.example.org/";

QToolButton *speedButton(QWidget *parent, const QString &hint, const QIcon &icon) {
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(25, 25);
    button->setToolTip(hint);
    return button;
}

QPushButton *boldButton(QWidget *parent, const QString &caption, const QString &hint, const QColor &color) {
    auto *button = new QPushButton(caption, parent);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}
}  // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TMainForm"));
    createControls();
    createMenus();
    createEditor();
    // A size for the first run before the placement is known; the placement then centres and
    // maximizes the window, and later runs restore what the user left.
    resize(1000, 760);
    FormCreate();
}

void TMainForm::createControls() {
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // Button bar, 27 pixels high.
    auto *buttonBar = new QWidget(central);
    buttonBar->setFixedHeight(27);
    auto *bar = new QHBoxLayout(buttonBar);
    bar->setContentsMargins(2, 1, 2, 1);
    bar->setSpacing(1);
    ZoomPlusButton = speedButton(buttonBar, QStringLiteral("Zoom In"), Icons::zoomIn());
    ZoomMinusButton = speedButton(buttonBar, QStringLiteral("Zoom Out"), Icons::zoomOut());
    Printbutton = speedButton(buttonBar, QStringLiteral("Print the page"), Icons::print());
    ReplicateOnebutton =
        speedButton(buttonBar, QStringLiteral("Clone current label to next label"), Icons::copyToNext());
    ReplicateAllbutton =
        speedButton(buttonBar, QStringLiteral("Clone current label to all labels"), Icons::copyToAll());
    GetSymbolbutton =
        speedButton(buttonBar, QStringLiteral("Insert a Symbol into the selected label"), Icons::symbol());
    for (QToolButton *button : {ZoomPlusButton, ZoomMinusButton, Printbutton, ReplicateOnebutton,
                                ReplicateAllbutton, GetSymbolbutton}) {
        button->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(button);
    }
    bar->addStretch(1);
    Savebutton = boldButton(buttonBar, QStringLiteral("&Save"), QStringLiteral("Save changes to the page"),
                            QColor(0, 128, 0));
    CancelButton = boldButton(buttonBar, QStringLiteral("&Cancel"), QStringLiteral("Cancel all changes"),
                              QColor(255, 0, 0));
    bar->addWidget(Savebutton);
    bar->addWidget(CancelButton);
    column->addWidget(buttonBar);

    connect(ZoomPlusButton, &QToolButton::clicked, this, &TMainForm::ZoomPlusButtonClick);
    connect(ZoomMinusButton, &QToolButton::clicked, this, &TMainForm::ZoomMinusButtonClick);
    connect(Printbutton, &QToolButton::clicked, this, &TMainForm::mnuPrintPageClick);
    connect(ReplicateOnebutton, &QToolButton::clicked, this, &TMainForm::ReplicateOnebuttonClick);
    connect(ReplicateAllbutton, &QToolButton::clicked, this, &TMainForm::ReplicateAllbuttonClick);
    connect(GetSymbolbutton, &QToolButton::clicked, this, &TMainForm::GetSymbolbuttonClick);
    connect(Savebutton, &QPushButton::clicked, this, &TMainForm::SavebuttonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TMainForm::CancelButtonClick);

    // The editor exists before the toolbar so the toolbar can be bound to it.
    WPRichText1 = new TWPRichText();
    WPToolBar1 = new TWPToolBar(WPRichText1, central);
    WPToolBar1->setFixedHeight(26);
    WPToolBar1->setEnabled(false);
    column->addWidget(WPToolBar1);

    // The page: a holder inside the scroll area carries the panel at (5, 5) and, laid over it,
    // the editor.
    ScrollBox2 = new QScrollArea(central);
    ScrollBox2->setBackgroundRole(QPalette::Button);
    ScrollBox2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PageHolder = new QWidget();
    PageHolder->setBackgroundRole(QPalette::Button);
    PageHolder->setAutoFillBackground(true);
    QuillmarkPanel = new TQMKPagePanel(PageHolder);
    QuillmarkPanel->move(5, 5);
    WPRichText1->setParent(PageHolder);
    ScrollBox2->setWidget(PageHolder);
    column->addWidget(ScrollBox2, 1);
    setCentralWidget(central);
}

void TMainForm::createMenus() {
    QMenuBar *menu = menuBar();
    FileMenu = menu->addMenu(QStringLiteral("&File"));
    New1 = FileMenu->addAction(QStringLiteral("&New "), this, &TMainForm::New1Click);
    Open1 = FileMenu->addAction(QStringLiteral("&Open"), this, &TMainForm::Open1Click);
    mnuChangeLayout =
        FileMenu->addAction(QStringLiteral("Change Layout"), this, &TMainForm::mnuChangeLayoutClick);
    mnuLayoutInfo = FileMenu->addAction(QStringLiteral("Layout Info"), this, &TMainForm::mnuLayoutInfoClick);
    FileMenu->addSeparator();
    mnuSave = FileMenu->addAction(QStringLiteral("&Save "), this, &TMainForm::mnuSaveClick);
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs = FileMenu->addAction(QStringLiteral("Save &As..."), this, &TMainForm::mnuSaveAsClick);
    FileMenu->addSeparator();
    mnuCancelChanges =
        FileMenu->addAction(QStringLiteral("&Cancel Changes"), this, &TMainForm::mnuCancelChangesClick);
    mnuClearAllCellContents = FileMenu->addAction(QStringLiteral("Clear &All Cell Contents"), this,
                                                  &TMainForm::mnuClearAllCellContentsClick);
    DefaultEditorFont1 = FileMenu->addAction(QStringLiteral("&Default Editor Font"), this,
                                             &TMainForm::DefaultEditorFont1Click);
    FileMenu->addSeparator();
    mnuPrintPage = FileMenu->addAction(QStringLiteral("P&rint Page"), this, &TMainForm::mnuPrintPageClick);
    mnuPrintSetup = FileMenu->addAction(QStringLiteral("Print Set&up"), this, &TMainForm::mnuPrintSetupClick);
    mnuPrinterFindtuning = FileMenu->addAction(QStringLiteral("Printer Fine Tuning"), this,
                                               &TMainForm::mnuPrinterFindtuningClick);
    FileMenu->addSeparator();
    Exit1 = FileMenu->addAction(QStringLiteral("E&xit"), this, &TMainForm::Exit1Click);

    HelpMenu = menu->addMenu(QStringLiteral("&Help"));
    Contents1 = HelpMenu->addAction(QStringLiteral("&Contents"), this, &TMainForm::Contents1Click);
    SearchforHelpOn1 =
        HelpMenu->addAction(QStringLiteral("Search for Help On..."), this, &TMainForm::SearchforHelpOn1Click);
    HelponHelp1 = HelpMenu->addAction(QStringLiteral("Help on Help"), this, &TMainForm::HelponHelp1Click);
    mnushowHint = HelpMenu->addAction(QStringLiteral("&Show Hints"));
    mnushowHint->setCheckable(true);
    mnushowHint->setChecked(true);
    // The handler decides the new state itself, from the check mark as it was before the click.
    connect(mnushowHint, &QAction::triggered, this, [this] {
        mnushowHint->setChecked(!mnushowHint->isChecked());
        mnushowHintClick();
    });
    HelpMenu->addSeparator();
    About1 = HelpMenu->addAction(QStringLiteral("&About"), this, &TMainForm::About1Click);

    OnlineMenu = menu->addMenu(QStringLiteral("Online"));
    VisitOurInternetWebsite1 = OnlineMenu->addAction(QStringLiteral("Visit Our Internet Website"), this,
                                                     &TMainForm::VisitOurInternetWebsite1Click);
    OnlineMenu->menuAction()->setVisible(false);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == QuillmarkPanel && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        PageHolder->resize(QuillmarkPanel->x() + QuillmarkPanel->width() + 5,
                           QuillmarkPanel->y() + QuillmarkPanel->height() + 5);
    }
    if (KeyboardMessageHandler(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::SetPageModified(bool value) {
    if (value == PageModified)
        return;
    PageModified = value;
    UpdateControlStates();
}

void TMainForm::UpdateControlStates() {
    const bool page = QuillmarkPanel->isVisibleTo(PageHolder) && !QuillmarkPanel->isHidden();
    const bool editor = !WPRichText1->isHidden();
    const bool named = !CurrentFileName.isEmpty();
    mnuSave->setEnabled(named);
    const bool toolbar = page && editor;
    WPToolBar1->setEnabled(toolbar);
    ReplicateOnebutton->setEnabled(toolbar);
    ReplicateAllbutton->setEnabled(toolbar);
    GetSymbolbutton->setEnabled(toolbar);
    for (QAction *action :
         {mnuSaveAs, mnuLayoutInfo, mnuPrintSetup, mnuChangeLayout, mnuClearAllCellContents})
        action->setEnabled(page);
    ZoomPlusButton->setEnabled(page);
    ZoomMinusButton->setEnabled(page);
    mnuPrintPage->setEnabled(page && PrinterAvailable);
    Printbutton->setEnabled(page && PrinterAvailable);
    mnuCancelChanges->setEnabled(page && named);
    Savebutton->setVisible(PageModified);
    CancelButton->setVisible(PageModified && named);
}

void TMainForm::UpdateCaption() {
    QString caption = GlobalApplicationName + QLatin1Char(' ');
    if (!CurrentFileName.isEmpty())
        caption += QStringLiteral("  [") + QFileInfo(CurrentFileName).fileName() + QLatin1Char(']');
    caption +=
        QStringLiteral("    [") + QString::number(QuillmarkPanel->Magnification()) + QStringLiteral("%]");
    setWindowTitle(caption);
}

void TMainForm::reopenEditorOnSelectedLabel() {
    if (!QuillmarkPanel->isHidden() && SelectedLabel >= 1 && SelectedLabel <= QuillmarkPanel->LabelsPerPage())
        QuillmarkPanel->ActivateLabel(SelectedLabel);
}

void TMainForm::ZoomPlusButtonClick() {
    const int magnification = QuillmarkPanel->Magnification();
    if (magnification == 100)
        return;
    CloseLabelEditor();
    QApplication::processEvents();
    // Read again: a zoom key still queued may have run a step inside the processing above.
    if (QuillmarkPanel->Magnification() < 100)
        QuillmarkPanel->setMagnification(QuillmarkPanel->Magnification() + 10);
    UpdateCaption();
    QApplication::processEvents();
    reopenEditorOnSelectedLabel();
}

void TMainForm::ZoomMinusButtonClick() {
    const int magnification = QuillmarkPanel->Magnification();
    if (magnification == 60)
        return;
    CloseLabelEditor();
    QApplication::processEvents();
    if (QuillmarkPanel->Magnification() > 60)
        QuillmarkPanel->setMagnification(QuillmarkPanel->Magnification() - 10);
    QApplication::processEvents();
    reopenEditorOnSelectedLabel();
    UpdateCaption();
}

bool TMainForm::KeyboardMessageHandler(QObject *watched, QEvent *event) {
    Q_UNUSED(watched);
    if (event->type() != QEvent::KeyPress)
        return false;
    if (QApplication::activeWindow() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
        case Qt::Key_PageDown:
            ZoomPlusButtonClick();
            return true;
        case Qt::Key_PageUp:
            ZoomMinusButtonClick();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            QWidget *focus = QApplication::focusWidget();
            if (WPRichText1->isHidden() || (focus != WPRichText1 && !WPRichText1->isAncestorOf(focus)))
                return false;
            const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            if (back)
                QuillmarkPanel->ActivatePreviousLabel(SelectedLabel);
            else
                QuillmarkPanel->ActivateNextLabel(SelectedLabel);
            return true;
        }
        default:
            return false;
    }
}

void TMainForm::mnushowHintClick() {
    ShowHints = !mnushowHint->isChecked();
    mnushowHint->setChecked(ShowHints);
    Hints::setEnabled(ShowHints);
    try {
        SavePreferences();
    } catch (const std::exception &error) {
        reportError(error);
    }
}

void TMainForm::About1Click() {
    TSplashform box(this);
    CenterForm(&box);
    box.OkButton->setVisible(true);
    box.exec();
}

void TMainForm::reportError(const std::exception &error) {
    ShowMessageBox(QString::fromUtf8(error.what()), GlobalApplicationName, MB_OK | MB_ICONERROR);
}

void TMainForm::Contents1Click() {
    ShowHelpContents();
}
void TMainForm::SearchforHelpOn1Click() {
    ShowHelpSearch();
}
void TMainForm::HelponHelp1Click() {
    ShowHelpOnHelp();
}

void TMainForm::VisitOurInternetWebsite1Click() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebsite)));
}

void TMainForm::mnuPrintPageClick() {
    PrinterAvailable = CheckPrinterAvailable();
    UpdateControlStates();
}

void TMainForm::mnuPrintSetupClick() {
    QPageSetupDialog dialog(&CurrentPrinter(), this);
    dialog.exec();
    PrinterAvailable = CheckPrinterAvailable();
    UpdateControlStates();
}

void TMainForm::mnuPrinterFindtuningClick() {}

void TMainForm::Exit1Click() {
    close();
}

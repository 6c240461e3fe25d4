// The main window's creation, the work that waits for its first activation, and shutdown.

#include "app/Main.h"

#include "app/Hints.h"
#include "app/Icons.h"
#include "platform/FontDialog.h"
#include "platform/Identity.h"
#include "platform/MRUFileList.h"
#include "platform/Services.h"
#include "print/PrinterAvailability.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/QMKpanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace {
// After the start-up error report closes, the window is activated again by the closing box;
// that activation must not retry the start-up work, or the report would come back without end.
constexpr int kReportSettleMs = 1000;

constexpr int kMinSensibleZoom = 10;
constexpr int kMaxSensibleZoom = 400;
}  // namespace

void TMainForm::FormCreate() {
    StartupPending = true;
    SetPageModified(false);
    InChangeHandler = false;
    setWindowIcon(Icons::application());
    CurrentFileName.clear();
    ChangeTrackingOn = false;
    QuillmarkPanel->hide();
    QuillmarkPanel->move(5, 5);
    SelectedLabel = 0;
    LoadPreferences();
    SetPageModified(false);
    // A damaged value (0, negative, enormous) would leave no page to see or no way back with
    // the zoom buttons; such a value is taken as the default. Odd steps such as 95 stay.
    if (ZoomMain < kMinSensibleZoom || ZoomMain > kMaxSensibleZoom)
        ZoomMain = 100;
    QuillmarkPanel->setMagnification(ZoomMain);

    RecentFiles = std::make_unique<TMRUFileList>();
    RecentFiles->FileMenu = FileMenu;
    RecentFiles->Maximum = 5;
    RecentFiles->RemoveOnClick = true;
    RecentFiles->UseSubmenu = false;
    RecentFiles->OnMRUItemClick = [this](QObject *sender, const QString &path) {
        RecentFileClick(sender, path);
    };
    RecentFiles->AutoSaveName = IniFileName();
    RecentFiles->AutoSaveKey = QStringLiteral("MRU");
    RecentFiles->AutoSave = true;
    RecentFiles->Load();

    mnushowHint->setChecked(ShowHints);
    Hints::install();
    Hints::setEnabled(ShowHints);
    // One application-wide filter: the key conventions, and the panel's size changes that the
    // page holder follows.
    qApp->installEventFilter(this);
    OnlineMenu->menuAction()->setVisible(true);
    setMainWindow(this);
    UpdateControlStates();
    UpdateCaption();
}

bool TMainForm::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    // Without a window manager (a bare X server, a kiosk session) the window may never be
    // activated; its first showing then stands in for the first activation.
    if (event->type() == QEvent::Show && StartupPending)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    return QMainWindow::event(event);
}

void TMainForm::FormActivate() {
    if (!StartupPending || m_activationRunning || m_closing)
        return;
    if (m_sinceStartupReport.isValid() && m_sinceStartupReport.elapsed() < kReportSettleMs)
        return;
    m_activationRunning = true;
    try {
        LoadLLOFile();
    } catch (const std::exception &error) {
        reportError(error);
        QApplication::processEvents();
        m_sinceStartupReport.start();
        m_activationRunning = false;
        return;
    }
    try {
        LoadWindowPlacement(this);
    } catch (const std::exception &) {
        // The placement is applied; only writing it back was refused (a read-only folder),
        // which the close reports once.
    }
    LoadPreferences();
    mnushowHint->setChecked(ShowHints);
    Hints::setEnabled(ShowHints);
    UpdateControlStates();
    // Asking the print system loads its plug-in and talks to CUPS: done just after the window is
    // up rather than on the way to it. It only decides whether printing is offered.
    QTimer::singleShot(0, this, [this] {
        PrinterAvailable = CheckPrinterAvailable();
        UpdateControlStates();
    });
    // When this is a retry (the layout file was missing before), the user may have made or
    // opened a page meanwhile: it stays as it is, edits and all.
    if (QuillmarkPanel->isHidden()) {
        const QStringList recent = RecentFiles->Items();
        if (!recent.isEmpty() && QFileInfo(recent.first()).isFile())
            OpenQuillmarkFile(recent.first());
        QApplication::processEvents();
        QuillmarkPanel->setVisible(!CurrentFileName.isEmpty());
        QApplication::processEvents();
        mnuSave->setEnabled(false);
        SetPageModified(false);
    }
    UpdateControlStates();
    UpdateCaption();
    StartupPending = false;
    m_activationRunning = false;
}

void TMainForm::LoadLLOFile() {
    ::LoadLLOFile(QuillmarkPanel->page(), ProgramFolder() + GlobalLayoutFileName);
}

void TMainForm::closeEvent(QCloseEvent *event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery() {
    return CheckSaveNeeded();
}

void TMainForm::FormClose() {
    m_closing = true;
    ZoomMain = QuillmarkPanel->Magnification();
    // A refused write (a read-only program folder) is reported once; the window still closes,
    // and each of the three writes is still tried.
    QString failure;
    const auto attempt = [&failure](const auto &write) {
        try {
            write();
        } catch (const std::exception &error) {
            if (failure.isEmpty())
                failure = QString::fromUtf8(error.what());
        }
    };
    attempt([this] { SavePreferences(); });
    attempt([this] { SaveWindowPlacement(this); });
    // The recent-files list is written here rather than as the window is destroyed, so its
    // failure joins the one report.
    attempt([this] { RecentFiles->Save(); });
    RecentFiles->AutoSave = false;
    if (!failure.isEmpty())
        ShowMessageBox(failure, GlobalApplicationName, MB_OK | MB_ICONERROR);
    hide();
}

void TMainForm::FormDestroy() {
    delete SymbolPicker;
    SymbolPicker = nullptr;
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    FormDestroy();
    RecentFiles.reset();
    setMainWindow(nullptr);
}

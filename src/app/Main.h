#pragma once
// The program's one window: menu, button bar, formatting toolbar and the page in a scroll area,
// with the single label editor laid over the label being edited. The class spans several files:
// Main.cpp (the window, states, caption, zoom, keys, help), LabelEditing.cpp (the editor over
// the labels), DocumentCommands.cpp (the File menu), Startup.cpp (creation, first activation,
// shutdown).

#include "richtext/RichText.h"
#include "richtext/TWPRichText.h"

#include <QColor>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QScrollArea;
class QToolButton;
class QPushButton;
class QToolBar;
class TQMKPagePanel;
class TWPRtfStorage;
class TWPToolBar;
class TMRUFileList;
class TFontDialog;
struct TLabelLayoutRecord;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // ---- window state ----
    bool PageModified = false;
    QString CurrentFileName;
    bool PrinterAvailable = false;
    bool ShowHints = false;
    int ZoomMain = 100;
    int ZoomProp = 30;
    QString DefaultFontName = QStringLiteral("Arial");
    int DefaultFontSize = 10;
    bool DefaultFontBold = false;
    bool DefaultFontItalic = false;
    bool DefaultFontUnderline = false;
    bool DefaultFontStrikeout = false;
    int DefaultFontColor = 0;  // red in the lowest byte, then green, then blue
    bool StartupPending = false;

    // ---- label editing state ----
    int SelectedLabel = 0;
    bool EditorOpen = false;
    TWPRtfStorage *CurrentLabelStorage = nullptr;  // owned by the page panel
    bool ChangeTrackingOn = false;
    bool InChangeHandler = false;
    int SavedCaretPosition = 0;
    TextAttributes SavedTextAttributes;

    // ---- controls (public so tests can drive them) ----
    TQMKPagePanel *QuillmarkPanel = nullptr;
    TWPRichText *WPRichText1 = nullptr;
    TWPToolBar *WPToolBar1 = nullptr;
    QScrollArea *ScrollBox2 = nullptr;
    QWidget *PageHolder = nullptr;  // the scroll area's content: the panel and the editor
    QToolButton *ZoomPlusButton = nullptr;
    QToolButton *ZoomMinusButton = nullptr;
    QToolButton *Printbutton = nullptr;
    QToolButton *ReplicateOnebutton = nullptr;
    QToolButton *ReplicateAllbutton = nullptr;
    QToolButton *GetSymbolbutton = nullptr;
    QPushButton *Savebutton = nullptr;
    QPushButton *CancelButton = nullptr;
    QMenu *FileMenu = nullptr;
    QMenu *HelpMenu = nullptr;
    QMenu *OnlineMenu = nullptr;
    QMenu *WPPopupMenu = nullptr;
    QAction *New1 = nullptr, *Open1 = nullptr, *mnuChangeLayout = nullptr, *mnuLayoutInfo = nullptr;
    QAction *mnuSave = nullptr, *mnuSaveAs = nullptr, *mnuCancelChanges = nullptr;
    QAction *mnuClearAllCellContents = nullptr, *DefaultEditorFont1 = nullptr;
    QAction *mnuPrintPage = nullptr, *mnuPrintSetup = nullptr, *mnuPrinterFindtuning = nullptr;
    QAction *Exit1 = nullptr;
    QAction *Contents1 = nullptr, *SearchforHelpOn1 = nullptr, *HelponHelp1 = nullptr;
    QAction *mnushowHint = nullptr, *About1 = nullptr, *VisitOurInternetWebsite1 = nullptr;
    QAction *Clear1 = nullptr, *CopyContentstoNextLabel1 = nullptr, *CopyContentstoAllLabels1 = nullptr;
    std::unique_ptr<TMRUFileList> RecentFiles;
    std::unique_ptr<TFontDialog> DefaultFontdialog;
    QWidget *SymbolPicker = nullptr;

    // ---- main window operations ----
    void SetPageModified(bool value);
    void UpdateControlStates();
    void UpdateCaption();
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();
    void DefaultEditorFont1Click();
    void mnushowHintClick();
    void Contents1Click();
    void SearchforHelpOn1Click();
    void HelponHelp1Click();
    void About1Click();
    void VisitOurInternetWebsite1Click();
    void mnuPrintPageClick();
    void mnuPrintSetupClick();
    void mnuPrinterFindtuningClick();
    void Exit1Click();

    // ---- label editing ----
    void QuillmarkPanelClickedInCellEvent(QRect rFree, int iNumber, TWPRtfStorage *rtfstorage);
    void CloseLabelEditor();
    void StoreLabelEditor();
    void WPRichText1Change();
    void WPRichText1Click();
    void WPRichText1Enter();
    void WPRichText1KeyPress(QChar key, bool &consumed);
    void SetDefaultFontNow();
    void ReplicateOnebuttonClick();
    void ReplicateAllbuttonClick();
    void Clear1Click();
    void GetSymbolbuttonClick();
    // The picker's hand-off: paste the clipboard at the caret under the overflow rule.
    void InsertSymbolFromClipboard();
    // Height the editor's text may take, thousandths of an inch, for a layout.
    static int editorHeightThou(const TLabelLayoutRecord &layout);

    // ---- document commands ----
    // Stores the editor and offers to save a modified page. False only when a save failed and
    // the user chose not to go on, so the caller must not replace the page.
    bool CheckSaveNeeded();
    void New1Click();
    void Open1Click();
    // Takes the path by value: callers pass CurrentFileName, which the open clears first.
    void OpenQuillmarkFile(QString path);
    bool SaveQuillmarkFile(const QString &path);
    void mnuSaveClick();
    void mnuSaveAsClick();
    void SavebuttonClick();
    QString MakeNewFileName() const;
    void mnuCancelChangesClick();
    void CancelButtonClick();
    void mnuClearAllCellContentsClick();
    void mnuChangeLayoutClick();
    void mnuLayoutInfoClick();
    void RecentFileClick(QObject *sender, const QString &path);

    // ---- start and end ----
    void FormCreate();
    void FormActivate();
    void LoadLLOFile();
    void LoadPreferences();
    void SavePreferences();

    // Application-wide key handling; installed on the application at creation.
    bool KeyboardMessageHandler(QObject *watched, QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createEditor();
    void placeEditor(const QRect &rFree);
    void reopenEditorOnSelectedLabel();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void repaintPanel();
    bool growsBeyondStored() const;
    // Writes the recent-files list now; a refused write waits for the close, which reports it.
    void saveRecentFiles();
    // The standard error report: a message box with the error's text.
    void reportError(const std::exception &error);
    // The save routine's outcome, kept so the close question can tell a failed save.
    bool m_lastSaveFailed = false;
    // The save question was answered without saving; the changes count as discarded only once
    // the page is replaced.
    bool m_changesDeclined = false;
    void keepDeclinedChanges();
    // New and Change Layout: a layout from the dialog, the save question, the editor closed.
    // Nothing when the user picked no layout or chose to stay on the page.
    std::optional<QByteArray> chooseLayoutForPage();
    bool m_closing = false;
    bool m_activationRunning = false;
    QElapsedTimer m_sinceStartupReport;  // since the start-up error was last reported
};

// The single editor laid over the label being edited: moving it between labels, accepting or
// refusing each change, the default font, copying a label to others, and the symbol hand-off.

#include "app/Main.h"

#include "platform/FontDialog.h"
#include "platform/Services.h"
#include "richtext/LabelTextLayout.h"
#include "richtext/RtfStorage.h"
#include "richtext/TWPToolBar.h"
#include "sheet/QMKpanel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {
// Sets a flag for the lifetime of a scope, so every way out of a handler resets it.
struct FlagGuard {
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;
    bool &m_flag;
};

QRgb colorFromPreference(int value) {
    // Stored with red in the lowest byte, then green, then blue.
    return qRgb(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}
}  // namespace

void TMainForm::createEditor() {
    WPRichText1->hide();
    WPRichText1->setZooming(100);
    WPPopupMenu = new QMenu(this);
    Clear1 = WPPopupMenu->addAction(QStringLiteral("Clear Contents"), this, &TMainForm::Clear1Click);
    CopyContentstoNextLabel1 = WPPopupMenu->addAction(QStringLiteral("Copy Contents to Next Label"), this,
                                                      &TMainForm::ReplicateOnebuttonClick);
    CopyContentstoAllLabels1 = WPPopupMenu->addAction(QStringLiteral("Copy Contents to All Labels"), this,
                                                      &TMainForm::ReplicateAllbuttonClick);
    WPRichText1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(WPRichText1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { WPPopupMenu->popup(WPRichText1->mapToGlobal(at)); });
    connect(WPRichText1, &TWPRichText::OnChange, this, &TMainForm::WPRichText1Change);
    connect(WPRichText1, &TWPRichText::OnClick, this, &TMainForm::WPRichText1Click);
    connect(WPRichText1, &TWPRichText::OnEnter, this, &TMainForm::WPRichText1Enter);
    connect(WPRichText1, &TWPRichText::OnKeyPress, this, &TMainForm::WPRichText1KeyPress);

    QuillmarkPanel->ClickedInCellEvent = [this](QPainter *, QRect, QRect rFree, int iNumber,
                                                TWPRtfStorage *&rtfstorage) {
        QuillmarkPanelClickedInCellEvent(rFree, iNumber, rtfstorage);
    };
}

void TMainForm::QuillmarkPanelClickedInCellEvent(QRect rFree, int iNumber, TWPRtfStorage *rtfstorage) {
    SelectedLabel = iNumber;
    QuillmarkPanel->setSelectedCell(iNumber);
    ChangeTrackingOn = false;
    CloseLabelEditor();
    CurrentLabelStorage = rtfstorage;
    EditorOpen = true;

    // The editor lays its text out at the label's true writable size, exactly as the page and
    // the printer do, and shows it at the page's magnification.
    const TLabelLayoutRecord &layout = QuillmarkPanel->page().CurrentLayout();
    WPRichText1->setPageSizeThou(layout.FreeRight - layout.FreeLeft, editorHeightThou(layout));
    WPRichText1->setZooming(QuillmarkPanel->Magnification());
    WPRichText1->setRtfText(rtfstorage ? rtfstorage->RtfText() : RichText());
    placeEditor(rFree);
    WPRichText1->show();
    WPRichText1->setFocus(Qt::OtherFocusReason);
    WPRichText1->setCaretPosition(0);
    // A refused first edit goes back to this label's start, not to the label edited before.
    SavedCaretPosition = 0;
    SavedTextAttributes = WPRichText1->CurrentAttributes();
    ChangeTrackingOn = true;
    UpdateControlStates();
}

int TMainForm::editorHeightThou(const TLabelLayoutRecord &layout) {
    // The screen keeps two reference pixels free at the bottom of a label and counts its bottom
    // row inclusively: one reference pixel (1/96 inch) less than the free area in all.
    return layout.FreeBottom - layout.FreeTop - 1000 / 96;
}

void TMainForm::placeEditor(const QRect &rFree) {
    // rFree holds Windows edges (right and bottom outside); the editor takes right - left + 1.
    const int w = rFree.width() + 1;
    const int h = rFree.height() + 1;
    WPRichText1->setGeometry(rFree.left() + QuillmarkPanel->x() + 1, rFree.top() + QuillmarkPanel->y() + 1, w,
                             h);
    WPRichText1->raise();
}

void TMainForm::CloseLabelEditor() {
    if (EditorOpen && CurrentLabelStorage) {
        CurrentLabelStorage->setRtfText(WPRichText1->RtfText());
        WPRichText1->hide();
        EditorOpen = false;
        // New and Open free the page's storage objects; none may be kept past the editor.
        CurrentLabelStorage = nullptr;
        WPToolBar1->setEnabled(false);
        repaintPanel();
    }
}

void TMainForm::StoreLabelEditor() {
    if (EditorOpen && CurrentLabelStorage)
        CurrentLabelStorage->setRtfText(WPRichText1->RtfText());
}

void TMainForm::repaintPanel() {
    QuillmarkPanel->update();
}

void TMainForm::WPRichText1Change() {
    if (!ChangeTrackingOn || InChangeHandler || !EditorOpen)
        return;
    FlagGuard guard(InChangeHandler);
    if (!CurrentLabelStorage)
        return;
    if (!WPRichText1->TextFits() && growsBeyondStored()) {
        WPRichText1->setRtfText(CurrentLabelStorage->RtfText());
        WPRichText1->setCaretPosition(SavedCaretPosition);
        WPRichText1->setCurrentAttributes(SavedTextAttributes);
        QApplication::beep();
        return;
    }
    CurrentLabelStorage->setRtfText(WPRichText1->RtfText());
    SavedCaretPosition = WPRichText1->CaretPosition();
    SavedTextAttributes = WPRichText1->CurrentAttributes();
    SetPageModified(true);
    repaintPanel();
}

bool TMainForm::growsBeyondStored() const {
    // A label may already hold more than fits (a document from elsewhere, a smaller layout):
    // an edit that does not make it taller, such as deleting, is let through.
    const int width =
        QuillmarkPanel->page().CurrentLayout().FreeRight - QuillmarkPanel->page().CurrentLayout().FreeLeft;
    return WPRichText1->FormattedTextHeightThou() >
           LabelTextLayout(CurrentLabelStorage->RtfText(), width).heightThou();
}

void TMainForm::WPRichText1Click() {
    SavedCaretPosition = WPRichText1->CaretPosition();
    SavedTextAttributes = WPRichText1->CurrentAttributes();
}

void TMainForm::WPRichText1Enter() {
    WPToolBar1->setEnabled(true);
    if (WPRichText1->IsEmpty())
        SetDefaultFontNow();
}

void TMainForm::WPRichText1KeyPress(QChar key, bool &consumed) {
    if (key.unicode() == 1) {  // Ctrl+A
        WPRichText1->SelectAll();
        consumed = true;
    }
}

void TMainForm::SetDefaultFontNow() {
    TextAttributes attributes = WPRichText1->CurrentAttributes();
    attributes.fontNumber = WPRichText1->FontNumber(DefaultFontName);
    attributes.size = DefaultFontSize;
    if (DefaultFontBold)
        attributes.style |= TextAttributes::Bold;
    if (DefaultFontItalic)
        attributes.style |= TextAttributes::Italic;
    if (DefaultFontUnderline)
        attributes.style |= TextAttributes::Underline;
    if (DefaultFontStrikeout)
        attributes.style |= TextAttributes::Strikeout;
    attributes.colorNumber = 0;
    const QRgb wanted = colorFromPreference(DefaultFontColor);
    for (int n = TWPRichText::ColorTableSize - 1; n >= 0; --n) {
        if (TWPRichText::ColorTableEntry(n).rgb() == wanted) {
            attributes.colorNumber = n;
            break;
        }
    }
    WPRichText1->setCurrentAttributes(attributes);
}

void TMainForm::ReplicateOnebuttonClick() {
    const int count = QuillmarkPanel->LabelsPerPage();
    const int n = SelectedLabel;
    if (n >= count)
        return;
    StoreLabelEditor();
    if (TWPRtfStorage *next = QuillmarkPanel->LabelRichText(n + 1))
        next->setRtfText(WPRichText1->RtfText());
    repaintPanel();
    SetPageModified(true);
    WPRichText1->setFocus(Qt::OtherFocusReason);
    UpdateControlStates();
}

void TMainForm::ReplicateAllbuttonClick() {
    const int count = QuillmarkPanel->LabelsPerPage();
    const int n = SelectedLabel;
    if (count < 2)
        return;
    StoreLabelEditor();
    const RichText content = WPRichText1->RtfText();
    for (int k = n + 1; k <= count; ++k)
        if (TWPRtfStorage *storage = QuillmarkPanel->LabelRichText(k))
            storage->setRtfText(content);
    for (int k = 1; k < n; ++k)
        if (TWPRtfStorage *storage = QuillmarkPanel->LabelRichText(k))
            storage->setRtfText(content);
    SetPageModified(true);
    repaintPanel();
    WPRichText1->setFocus(Qt::OtherFocusReason);
    UpdateControlStates();
}

void TMainForm::Clear1Click() {
    WPRichText1->Clear();
    StoreLabelEditor();
    SetPageModified(true);
    repaintPanel();
}

void TMainForm::GetSymbolbuttonClick() {
    WPRichText1->setFocus(Qt::OtherFocusReason);
}

void TMainForm::InsertSymbolFromClipboard() {
    // The paste raises a change that the handler judges at once, so a symbol that would make
    // the label overflow is refused like a keystroke.
    WPRichText1->PasteFromClipboard();
    WPRichText1Change();
    SetPageModified(true);
}

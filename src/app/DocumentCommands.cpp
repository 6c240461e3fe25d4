// The File menu's document commands, the Save and Cancel buttons and the recent-files list.
//
// Saving never loses the previous file: the page model writes a temporary file and renames it
// over the target only when complete. A failed save is told to the user with the file name and
// the reason, keeps the page modified, and is not recorded in the recent files; a command that
// would then replace the page asks first.

#include "app/Main.h"

#include "platform/FontDialog.h"
#include "platform/Identity.h"
#include "platform/MRUFileList.h"
#include "platform/Services.h"
#include "sheet/FilerError.h"
#include "sheet/QMKpanel.h"
#include "sheet/Slayout.h"

#include <QApplication>
#include <QFileInfo>

namespace {
FileDialogRequest documentDialog(const QString &verb) {
    FileDialogRequest request;
    request.title = verb + QLatin1Char(' ') + GlobalDocumentTypeName;
    request.filter = GlobalDocumentTypeName + QStringLiteral("|*.") + GlobalDocumentExtension;
    request.defaultSuffix = GlobalDocumentExtension;
    request.initialFolder = ProgramFolder();
    return request;
}
}  // namespace

void TMainForm::saveRecentFiles() {
    try {
        RecentFiles->Save();
    } catch (const std::exception &) {
        // Kept in memory; the close writes the list again and reports a refusal once.
    }
}

bool TMainForm::CheckSaveNeeded() {
    CloseLabelEditor();
    m_lastSaveFailed = false;
    m_changesDeclined = false;
    if (PageModified) {
        if (ConfirmYesNo(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
            if (CurrentFileName.isEmpty())
                mnuSaveAsClick();
            else
                SaveQuillmarkFile(CurrentFileName);
            if (m_lastSaveFailed &&
                !ConfirmYesNo(QStringLiteral("The page was not saved. Discard the changes and go on?"),
                              QStringLiteral("Save")))
                return false;
        }
        // Not saved (No, or the Save As dialog cancelled): discarded only if the page goes.
        m_changesDeclined = PageModified;
    }
    SetPageModified(false);
    return true;
}

void TMainForm::keepDeclinedChanges() {
    if (m_changesDeclined)
        SetPageModified(true);
    m_changesDeclined = false;
}

std::optional<QByteArray> TMainForm::chooseLayoutForPage() {
    const std::optional<QByteArray> name = ChooseLayout(this, *QuillmarkPanel);
    if (!name || !CheckSaveNeeded())
        return std::nullopt;
    BusyCursorOn();
    CloseLabelEditor();
    BusyCursorOff();
    return name;
}

void TMainForm::New1Click() {
    const std::optional<QByteArray> name = chooseLayoutForPage();
    if (!name)
        return;
    SetPageModified(false);
    CurrentFileName.clear();
    QuillmarkPanel->ClearAllLabels();
    QuillmarkPanel->ApplyLayout(*name, false);
    QuillmarkPanel->show();
    SelectedLabel = 1;
    QuillmarkPanel->setSelectedCell(1);
    QuillmarkPanel->repaint();
    QApplication::processEvents();
    QuillmarkPanel->ActivateLabel(1);
    UpdateControlStates();
    UpdateCaption();
}

void TMainForm::Open1Click() {
    CloseLabelEditor();
    if (!CheckSaveNeeded())
        return;
    const QString name = userInteraction().openFileName(documentDialog(QStringLiteral("Open")));
    if (name.isEmpty()) {
        keepDeclinedChanges();
        reopenEditorOnSelectedLabel();
        return;
    }
    if (QLatin1Char('.') + QFileInfo(name).suffix().toUpper() != QLatin1Char('.') + GlobalDocumentExtension) {
        ShowInformation(QStringLiteral("Must be a ") + GlobalDocumentTypeName + QStringLiteral(" (*.") +
                        GlobalDocumentExtension + QLatin1Char(')'));
        keepDeclinedChanges();
        return;
    }
    OpenQuillmarkFile(name);
}

void TMainForm::OpenQuillmarkFile(QString path) {
    CurrentFileName.clear();
    CloseLabelEditor();
    if (!QFileInfo::exists(path)) {
        ShowInformation(QStringLiteral("File ") + path + QStringLiteral(" no longer exists"));
    } else {
        try {
            BusyCursorOn();
            QuillmarkPanel->ClearAllLabels();
            QuillmarkPanel->LoadFromFile(path);
            BusyCursorOff();
            CurrentFileName = path;
            RecentFiles->AddItem(path);
            saveRecentFiles();
        } catch (const std::exception &) {
            CurrentFileName.clear();
            ShowInformation(QStringLiteral("Unable to open ") + path + QStringLiteral(". Possibly ") +
                            QChar(13) + QStringLiteral("corrupted, possibly not a File Folder Label file"));
            BusyCursorOff();
        }
    }
    QApplication::processEvents();
    UpdateControlStates();
    QuillmarkPanel->setVisible(!CurrentFileName.isEmpty());
    if (!CurrentFileName.isEmpty()) {
        SelectedLabel = 1;
        QuillmarkPanel->setSelectedCell(1);
        QuillmarkPanel->repaint();
        QApplication::processEvents();
        QuillmarkPanel->ActivateLabel(1);
    }
    SetPageModified(false);
    UpdateControlStates();
    BusyCursorOff();
    UpdateCaption();
}

bool TMainForm::SaveQuillmarkFile(const QString &path) {
    m_lastSaveFailed = false;
    try {
        BusyCursorOn();
        CloseLabelEditor();
        QuillmarkPanel->SaveToFile(path);
        BusyCursorOff();
        CurrentFileName = path;
        SetPageModified(false);
    } catch (const std::exception &error) {
        BusyCursorOff();
        m_lastSaveFailed = true;
        ShowInformation(QStringLiteral("Unable to save ") + path + QStringLiteral(": ") +
                        QString::fromUtf8(error.what()));
    }
    QApplication::processEvents();
    UpdateControlStates();
    UpdateCaption();
    return !m_lastSaveFailed;
}

void TMainForm::mnuSaveClick() {
    SavedCaretPosition = WPRichText1->CaretPosition();
    SavedTextAttributes = WPRichText1->CurrentAttributes();
    bool saved = true;
    if (!CurrentFileName.isEmpty())
        saved = SaveQuillmarkFile(CurrentFileName);
    if (SelectedLabel >= 1 && SelectedLabel <= QuillmarkPanel->LabelsPerPage()) {
        // Reopening the label starts its caret afresh; the saved place is put back after it.
        const int caret = SavedCaretPosition;
        const TextAttributes attributes = SavedTextAttributes;
        QuillmarkPanel->ActivateLabel(SelectedLabel);
        WPRichText1->setCaretPosition(caret);
        WPRichText1->setCurrentAttributes(attributes);
        SavedCaretPosition = caret;
        SavedTextAttributes = attributes;
    }
    if (saved)
        SetPageModified(false);
}

void TMainForm::mnuSaveAsClick() {
    for (;;) {
        FileDialogRequest request = documentDialog(QStringLiteral("Save"));
        request.promptOverwrite = true;
        request.fileName =
            CurrentFileName.isEmpty() ? MakeNewFileName() : QFileInfo(CurrentFileName).fileName();
        const QString name = userInteraction().saveFileName(request);
        if (name.isEmpty()) {
            UpdateControlStates();
            return;
        }
        const QString extension = QFileInfo(name).suffix().left(3).toUpper();
        if (extension != GlobalDocumentExtension.toUpper()) {
            ShowInformation(QStringLiteral("File extension must be: ") + GlobalDocumentExtension);
            continue;
        }
        if (SaveQuillmarkFile(name)) {
            SetPageModified(false);
            RecentFiles->AddItem(name);
            saveRecentFiles();
        }
        UpdateControlStates();
        return;
    }
}

void TMainForm::SavebuttonClick() {
    if (mnuSave->isEnabled())
        mnuSaveClick();
    else
        mnuSaveAsClick();
}

QString TMainForm::MakeNewFileName() const {
    for (int n = 0;; ++n) {
        const QString candidate = ProgramFolder() + QStringLiteral("LF") +
                                  QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')) + QLatin1Char('.') +
                                  GlobalDocumentExtension;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

void TMainForm::CancelButtonClick() {
    if (!ConfirmYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    if (!CurrentFileName.isEmpty())
        OpenQuillmarkFile(CurrentFileName);
    SetPageModified(false);
}

void TMainForm::mnuCancelChangesClick() {
    if (!ConfirmYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    BusyCursorOn();
    if (!CurrentFileName.isEmpty())
        OpenQuillmarkFile(CurrentFileName);
    SetPageModified(false);
    BusyCursorOff();
}

void TMainForm::mnuClearAllCellContentsClick() {
    if (!ConfirmYesNo(QStringLiteral("Clear all contents?"), QStringLiteral("CANCEL")))
        return;
    CloseLabelEditor();
    QuillmarkPanel->ClearAllLabels();
    QuillmarkPanel->repaint();
    SetPageModified(true);
}

void TMainForm::mnuChangeLayoutClick() {
    const std::optional<QByteArray> name = chooseLayoutForPage();
    if (!name)
        return;
    SetPageModified(true);
    CurrentFileName.clear();
    QuillmarkPanel->ApplyLayout(*name, true);
    QuillmarkPanel->show();
    QuillmarkPanel->repaint();
    UpdateControlStates();
    UpdateCaption();
}

void TMainForm::mnuLayoutInfoClick() {
    ShowInformation(QStringLiteral("Current layout is: ") + QChar(13) + QChar(13) +
                    QuillmarkPanel->page().CurrentLayout().name());
}

void TMainForm::RecentFileClick(QObject *sender, const QString &path) {
    Q_UNUSED(sender);
    if (!CheckSaveNeeded()) {
        // The user stays on the page: the clicked entry, already taken off, comes back.
        RecentFiles->AddItem(path);
        return;
    }
    if (QFileInfo::exists(path)) {
        OpenQuillmarkFile(path);
    } else {
        ShowInformation(QStringLiteral("File: ") + path + QChar(13) + QStringLiteral("no longer exists"));
        keepDeclinedChanges();
    }
}

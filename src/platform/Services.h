#pragma once
// Common services every window uses: message boxes, the busy cursor, help, the program folder
// and ini file, window placement and centring. Questions, notices and file dialogs all pass
// through one replaceable object so tests can script the answers.

#include "ProgramFolder.h"

#include <QString>

class QWidget;

// Windows message-box flags and results, as the callers use them.
// Buttons in the low 4 bits, the icon in the next 4, the default button in bits 8-9.
inline constexpr int MB_OK = 0, MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4;
inline constexpr int MB_ICONERROR = 16, MB_ICONQUESTION = 32, MB_ICONWARNING = 48, MB_ICONINFORMATION = 64;
inline constexpr int MB_DEFBUTTON1 = 0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

struct FileDialogRequest {
    QString title;
    QString filter;         // "Label Page File|*.QMK"
    QString defaultSuffix;  // "QMK"
    QString initialFolder;
    QString fileName;  // proposed name (save)
    bool promptOverwrite = false;
};

// The real implementation shows Qt dialogs; tests install their own.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    virtual int messageBox(const QString &text, const QString &caption, int flags) = 0;
    // Empty result: the user cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;
};
UserInteraction &userInteraction();
void setUserInteraction(UserInteraction *interaction);  // nullptr = the real dialogs again

// ProgramFolder, setProgramFolderForTesting and IniFileName: see ProgramFolder.h.

// Task-modal box; the text is shown whole (plain text, any length). Returns the ID code of the button.
int ShowMessageBox(const QString &text, const QString &caption, int flags);
// Yes/No, question icon, Yes the default; true only for IDYES.
bool ConfirmYesNo(const QString &question, const QString &caption);
// OK box, information icon, caption "Information".
void ShowInformation(const QString &text);

// A single switch, not a counter: the first Off ends the busy state however many Ons came before.
void BusyCursorOn();
void BusyCursorOff();
bool BusyCursorIsOn();

// The help file the help commands show; ProgramFolder + "QMK.HLP" until set.
void setHelpFile(const QString &path);
QString helpFile();
// Context numbers 1001-1004 are the dialogs' topics.
void ShowHelpTopic(int context);
void ShowHelpContents();
void ShowHelpSearch();
void ShowHelpOnHelp();

// Section "<class>_Placement" (plus the screen dpi when above 96) of IniFileName, keys Left, Top,
// Right, Bottom (restored rectangle, right/bottom exclusive) and Maximized. Loading corrects only
// the right and bottom edges against the primary screen, centres (and for the main window
// maximizes) when nothing is stored, and writes the placement back at once. The screen figures
// come from Screen.h. Saving raises ProfileWriteError when the file cannot be written.
void LoadWindowPlacement(QWidget *form);
void SaveWindowPlacement(QWidget *form);
// Centres a dialog over the main window (integer division toward zero, no clamping), or on the
// screen when the main window is maximized, absent, or is the form itself.
void CenterForm(QWidget *form);
// The application's main window, for CenterForm and the placement rules.
void setMainWindow(QWidget *mainWindow);
QWidget *mainWindow();

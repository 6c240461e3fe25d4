#pragma once
// Common services every window uses: message boxes, the busy cursor, help, the program folder
// and ini file, window placement and centring. Questions, notices and file dialogs all pass
// through one replaceable object so tests can script the answers.

#include <QString>

class QWidget;

// Windows message-box flags and results, as the callers use them.
enum : int { MB_OK = 0, MB_YESNO = 4, MB_ICONQUESTION = 32, MB_ICONINFORMATION = 64 };
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

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

QString ProgramFolder();                                 // folder of the running executable, ending in '/'
void setProgramFolderForTesting(const QString &folder);  // empty = the executable's again
QString IniFileName();                                   // ProgramFolder + prefix + ".ini"

int ShowMessageBox(const QString &text, const QString &caption, int flags);
bool ConfirmYesNo(const QString &question, const QString &caption);
void ShowInformation(const QString &text);

void BusyCursorOn();
void BusyCursorOff();
bool BusyCursorIsOn();

void ShowHelpTopic(int context);
void ShowHelpContents();
void ShowHelpSearch();
void ShowHelpOnHelp();

void LoadWindowPlacement(QWidget *form);
void SaveWindowPlacement(QWidget *form);
void CenterForm(QWidget *form);
// The application's main window, for CenterForm and the placement rules.
void setMainWindow(QWidget *mainWindow);
QWidget *mainWindow();

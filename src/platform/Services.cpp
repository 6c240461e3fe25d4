#include "Services.h"

#include "HelpViewer.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<QWidget> g_mainWindow;
UserInteraction *g_interaction = nullptr;
bool g_busy = false;
QString g_helpFile;

// Windows filter "Name|*.A|Other|*.B" to Qt's "Name (*.A);;Other (*.B)".
QString qtFilter(const QString &windowsFilter) {
    const QStringList parts = windowsFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')');
    return filters.join(QStringLiteral(";;"));
}

QString runFileDialog(const FileDialogRequest &request, bool save) {
    QFileDialog dialog(QApplication::activeWindow() ? QApplication::activeWindow() : mainWindow(),
                       request.title, request.initialFolder, qtFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

class DialogInteraction : public UserInteraction {
public:
    int messageBox(const QString &text, const QString &caption, int flags) override {
        QWidget *previous = QApplication::activeWindow();
        QMessageBox box(previous ? previous : mainWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowTitle(caption);
        box.setTextFormat(Qt::PlainText);  // a path with '<' stays a path
        box.setText(text);
        switch (flags & 0xF0) {
            case MB_ICONERROR:
                box.setIcon(QMessageBox::Critical);
                break;
            case MB_ICONQUESTION:
                box.setIcon(QMessageBox::Question);
                break;
            case MB_ICONWARNING:
                box.setIcon(QMessageBox::Warning);
                break;
            case MB_ICONINFORMATION:
                box.setIcon(QMessageBox::Information);
                break;
            default:
                break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int code;
        };
        QList<Choice> choices;
        switch (flags & 0x0F) {
            case MB_OKCANCEL:
                choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
                break;
            case MB_YESNOCANCEL:
                choices = {
                    {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
                break;
            case MB_YESNO:
                choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
                break;
            default:
                choices = {{QMessageBox::Ok, IDOK}};
                break;
        }
        for (const Choice &choice : choices)
            box.addButton(choice.button);
        const qsizetype defaultIndex = qMin<qsizetype>((flags >> 8) & 0x3, choices.size() - 1);
        box.setDefaultButton(choices[defaultIndex].button);
        box.exec();
        int result = choices.constLast().code;  // dismissed: as the last button (No, Cancel or OK)
        for (const Choice &choice : choices) {
            if (box.clickedButton() == box.button(choice.button))
                result = choice.code;
        }
        if (previous)
            previous->activateWindow();
        return result;
    }
    QString openFileName(const FileDialogRequest &request) override { return runFileDialog(request, false); }
    QString saveFileName(const FileDialogRequest &request) override { return runFileDialog(request, true); }
};

}  // namespace

UserInteraction &userInteraction() {
    static DialogInteraction dialogs;
    return g_interaction ? *g_interaction : dialogs;
}

void setUserInteraction(UserInteraction *interaction) {
    g_interaction = interaction;
}

int ShowMessageBox(const QString &text, const QString &caption, int flags) {
    return userInteraction().messageBox(text, caption, flags);
}

bool ConfirmYesNo(const QString &question, const QString &caption) {
    return ShowMessageBox(question, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void ShowInformation(const QString &text) {
    ShowMessageBox(text, QStringLiteral("Information"), MB_OK | MB_ICONINFORMATION);
}

void BusyCursorOn() {
    if (g_busy)
        return;
    g_busy = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void BusyCursorOff() {
    g_busy = false;
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool BusyCursorIsOn() {
    return g_busy;
}

void setHelpFile(const QString &path) {
    g_helpFile = path;
}
QString helpFile() {
    return g_helpFile.isEmpty() ? ProgramFolder() + QStringLiteral("QMK.HLP") : g_helpFile;
}

void ShowHelpTopic(int context) {
    HelpViewer::instance()->showTopic(helpFile(), QString::number(context));
}
void ShowHelpContents() {
    HelpViewer::instance()->showTopic(helpFile(), HelpViewer::contentsTopic());
}
void ShowHelpSearch() {
    HelpViewer::instance()->showSearch(helpFile());
}
void ShowHelpOnHelp() {
    HelpViewer::instance()->showTopic(helpFile(), HelpViewer::helpOnHelpTopic());
}

void setMainWindow(QWidget *window) {
    g_mainWindow = window;
}
QWidget *mainWindow() {
    return g_mainWindow;
}

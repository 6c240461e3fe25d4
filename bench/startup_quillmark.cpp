// Quillmark's own start sequence, ended as soon as the main window is shown and its first
// activation (the catalogue read) has run.

#include "ExitWhenShown.h"
#include "app/Main.h"
#include "platform/Identity.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include "sheet/QMKpanel.h"

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    SetApplicationIdentity();
    // A new user's start: the shipped catalogue beside the program and no settings yet.
    QTemporaryDir folder;
    QFile::copy(ProgramFolder() + GlobalLayoutFileName,
                folder.path() + QStringLiteral("/") + GlobalLayoutFileName);
    setProgramFolderForTesting(folder.path() + QStringLiteral("/"));
    TMainForm form;
    form.show();
    exitWhenShown(form, [&form] {
        if (form.StartupPending)
            form.FormActivate();  // a bare X server may never activate it
        return !form.StartupPending && form.QuillmarkPanel->page().LayoutCount() > 0;
    });
    return application.exec();
}

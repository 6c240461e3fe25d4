#include "app/Main.h"
#include "platform/Identity.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    SetApplicationIdentity();
    SingleInstanceGuard guard;
    if (guard.AnotherCopyRunning())
        return 0;
    TMainForm form;
    guard.onBroughtForward([&form] {
        if (form.isMinimized())
            form.showNormal();
        form.raise();
        form.activateWindow();
    });
    form.show();
    return application.exec();
}

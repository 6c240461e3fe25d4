// A bare Qt program: a main window with a menu and a toolbar, shown, then the process ends.

#include "ExitWhenShown.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open"));
    file->addAction(QStringLiteral("E&xit"));
    QToolBar *toolbar = window.addToolBar(QStringLiteral("Tools"));
    toolbar->addAction(QStringLiteral("Bold"));
    window.resize(800, 600);
    window.show();
    exitWhenShown(window);
    return application.exec();
}

// Window placement in the ini file and the centring of dialogs.
#include "ProfileFile.h"
#include "Screen.h"
#include "Services.h"

#include <QWidget>

namespace {

QString placementSection(const QWidget *form) {
    QString section = QString::fromLatin1(form->metaObject()->className()) + QStringLiteral("_Placement");
    const int dpi = ScreenPixelsPerInch();
    if (dpi > 96)
        section += QString::number(dpi);
    return section;
}

bool isMainWindowClass(const QWidget *form) {
    const QWidget *main = mainWindow();
    if (!main)
        return false;
    return QString::fromLatin1(form->metaObject()->className()).toUpper() ==
           QString::fromLatin1(main->metaObject()->className()).toUpper();
}

// The rectangle the window has when it is neither maximized nor minimized.
QRect restoredGeometry(const QWidget *form) {
    if (form->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
        const QRect normal = form->normalGeometry();
        if (normal.isValid())
            return normal;
    }
    return form->geometry();
}

}  // namespace

void LoadWindowPlacement(QWidget *form) {
    if (!form)
        return;
    const QString section = placementSection(form);
    {
        const ProfileFile ini(IniFileName());
        const bool wasMaximized = form->isMaximized();
        int left = ini.readInteger(section, QStringLiteral("Left"), 0);
        int top = ini.readInteger(section, QStringLiteral("Top"), 0);
        int right = ini.readInteger(section, QStringLiteral("Right"), 0);
        int bottom = ini.readInteger(section, QStringLiteral("Bottom"), 0);
        bool maximized = ini.readBool(section, QStringLiteral("Maximized"), wasMaximized);
        if (bottom != 0) {
            const QSize screen = ScreenSize();
            // Only the right and bottom edges are pulled back onto the screen; in 64 bits so
            // hand-edited extremes cannot overflow.
            if (screen.width() < right) {
                left = int(qint64(left) - (qint64(right) - screen.width()));
                right = screen.width();
            }
            if (screen.height() < bottom) {
                top = int(qint64(top) - (qint64(bottom) - screen.height()));
                bottom = screen.height();
            }
            const qint64 width = qint64(right) - left, height = qint64(bottom) - top;
            form->setGeometry(left, top, int(qBound<qint64>(0, width, qint64(QWIDGETSIZE_MAX))),
                              int(qBound<qint64>(0, height, qint64(QWIDGETSIZE_MAX))));
        } else {
            CenterForm(form);
            if (form == mainWindow() || isMainWindowClass(form))
                maximized = true;
        }
        if (maximized)
            form->setWindowState(form->windowState() | Qt::WindowMaximized);
    }
    SaveWindowPlacement(form);
}

void SaveWindowPlacement(QWidget *form) {
    if (!form)
        return;
    const QString section = placementSection(form);
    const QRect normal = restoredGeometry(form);
    ProfileFile ini(IniFileName());
    ini.writeInteger(section, QStringLiteral("Left"), normal.left());
    ini.writeInteger(section, QStringLiteral("Top"), normal.top());
    ini.writeInteger(section, QStringLiteral("Right"), normal.left() + normal.width());
    ini.writeInteger(section, QStringLiteral("Bottom"), normal.top() + normal.height());
    ini.writeBool(section, QStringLiteral("Maximized"), form->isMaximized());
}

void CenterForm(QWidget *form) {
    if (!form)
        return;
    const QWidget *main = mainWindow();
    const QSize size = form->frameGeometry().size();
    if (main && !isMainWindowClass(form) && !main->isMaximized()) {
        const QRect over = main->frameGeometry();
        form->move(over.left() + (over.width() - size.width()) / 2,
                   over.top() + (over.height() - size.height()) / 2);
        return;
    }
    const QSize screen = ScreenSize();
    form->move((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

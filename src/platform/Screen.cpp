#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
int g_testDpi = 0;
QSize g_testSize;
}  // namespace

int ScreenPixelsPerInch() {
    if (g_testDpi > 0)
        return g_testDpi;
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

QSize ScreenSize() {
    if (!g_testSize.isEmpty())
        return g_testSize;
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

void setScreenPixelsPerInchForTesting(int dpi) {
    g_testDpi = dpi;
}
void setScreenSizeForTesting(const QSize &size) {
    g_testSize = size;
}

#pragma once
// Ends the process as soon as a window is on screen (exposed), so a start-up can be timed as a
// whole process.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

inline void exitWhenShown(
    QWidget &window, const std::function<bool()> &ready = [] { return true; }) {
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, ready] {
        if (window.windowHandle() && window.windowHandle()->isExposed() && ready())
            QApplication::quit();
    });
    poll->start(0);
}

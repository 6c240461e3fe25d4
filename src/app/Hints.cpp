#include "app/Hints.h"

#include <QApplication>
#include <QEvent>
#include <QProxyStyle>

namespace {
constexpr int kHintDelayMs = 1200;

class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Swallows tool-tip requests while hints are off.
class HintSwitch : public QObject {
public:
    bool on = true;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!on && event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

HintSwitch *hintSwitch() {
    static HintSwitch *instance = nullptr;
    if (!instance) {
        instance = new HintSwitch;
        instance->setParent(qApp);
    }
    return instance;
}
}  // namespace

namespace Hints {
void install() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QApplication::setStyle(new HintStyle(QApplication::style()->name()));
    qApp->installEventFilter(hintSwitch());
}

void setEnabled(bool on) {
    hintSwitch()->on = on;
}
bool enabled() {
    return hintSwitch()->on;
}
}  // namespace Hints

#pragma once
// At most one running copy per program file name and user. The first copy listens on a local
// socket; a later copy connects, asks the first to come forward and reports AnotherRunning, after
// which the program ends with exit code 0 without showing a window.

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QWidget;

enum class InstanceStatus { First, AnotherRunning };

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The default name: the program file's name and the user id, e.g. "quillmark-1000".
    static QString defaultServerName();

    explicit SingleInstanceGuard(const QString &serverName = defaultServerName(), QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // First: no other copy answered; this one now listens (or, if listening fails, runs unguarded).
    // AnotherRunning: the running copy has been asked to come forward.
    InstanceStatus claim();
    bool AnotherCopyRunning() { return claim() == InstanceStatus::AnotherRunning; }
    // Run in the first copy each time a later copy asks it to come forward.
    void onBroughtForward(std::function<void()> handler) { m_bringForward = std::move(handler); }
    bool isListening() const;

    // Shows a window normally and on top: un-minimises, raises, activates.
    static void bringWindowForward(QWidget *window);

private:
    void acceptConnections();

    QString m_name;
    QLocalServer *m_server = nullptr;
    std::function<void()> m_bringForward;
};

#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

namespace {
const QByteArray forwardRequest = QByteArrayLiteral("forward\n");
constexpr int connectTimeoutMs = 1000;
}  // namespace

QString SingleInstanceGuard::defaultServerName() {
    QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (program.isEmpty())
        program = QStringLiteral("quillmark");
    // Socket names become file names: keep them plain.
    for (QChar &c : program) {
        if (!c.isLetterOrNumber() && c != u'.' && c != u'_' && c != u'-')
            c = u'_';
    }
    return program + u'-' + QString::number(qulonglong(::getuid()));
}

SingleInstanceGuard::SingleInstanceGuard(const QString &serverName, QObject *parent)
    : QObject(parent), m_name(serverName) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_server)
        m_server->close();
}

bool SingleInstanceGuard::isListening() const {
    return m_server && m_server->isListening();
}

InstanceStatus SingleInstanceGuard::claim() {
    if (isListening())
        return InstanceStatus::First;
    {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(connectTimeoutMs)) {
            socket.write(forwardRequest);
            socket.waitForBytesWritten(connectTimeoutMs);
            socket.disconnectFromServer();
            return InstanceStatus::AnotherRunning;
        }
    }
    // Nobody answered: a socket left by a copy that crashed is stale and may go.
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        QLocalServer::removeServer(m_name);
        m_server->listen(m_name);
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptConnections);
    return InstanceStatus::First;
}

void SingleInstanceGuard::acceptConnections() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Only the request is read; anything longer is not one of ours.
        auto handle = [this, socket] {
            if (socket->bytesAvailable() > forwardRequest.size()) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine(forwardRequest.size() + 1);
            if (request == forwardRequest && m_bringForward)
                m_bringForward();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        handle();
    }
}

void SingleInstanceGuard::bringWindowForward(QWidget *window) {
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

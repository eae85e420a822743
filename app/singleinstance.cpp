// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "singleinstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

constexpr int ConnectTimeoutMs = 2000;
constexpr int LockTimeoutMs = 5000;

// The per-user runtime folder on freedesktop.org systems (a socket path);
// on Windows a pipe name made per user.
QString serverName()
{
    const QString id = QStringLiteral("org.quorvane.Quorvane");
#ifdef Q_OS_WIN
    return id + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? id : QDir(folder).filePath(id);
#endif
}

QString lockPath()
{
#ifdef Q_OS_WIN
    return QDir(QDir::tempPath()).filePath(serverName() + QLatin1String(".lock"));
#else
    return serverName() + QLatin1String(".lock");
#endif
}

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent)
{
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *connection = server.nextPendingConnection()) {
            connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
            connection->disconnectFromServer();
            emit activationRequested();
        }
    });
}

bool SingleInstance::claim()
{
    // Two starts at the same moment must not both decide that they are first.
    QLockFile lock(lockPath());
    lock.tryLock(LockTimeoutMs);

    const QString name = serverName();
    QLocalSocket running;
    running.connectToServer(name);
    if (running.waitForConnected(ConnectTimeoutMs)) {
        // Connecting is the whole request.
        running.disconnectFromServer();
        return false;
    }
    // Nobody answers: whatever is left is from a display that ended abruptly.
    QLocalServer::removeServer(name);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.listen(name);
    return true;
}

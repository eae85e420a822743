// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mainwindow.h"
#include "singleinstance.h"
#include "windowdecisions.h"

#include <QApplication>
#include <QIcon>
#include <QNetworkProxyFactory>

#include <cstdio>

namespace {

// On Wayland nothing keeps a window on top; XWayland's window manager does.
// Only when the user left the choice to Qt.
void preferPlatform(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    WindowDecisions::PlatformFacts facts;
    for (int i = 0; i < argc; ++i)
        facts.arguments.append(QString::fromLocal8Bit(argv[i]));
    facts.qtQpaPlatform = qgetenv("QT_QPA_PLATFORM");
    facts.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    facts.xdgSessionType = qgetenv("XDG_SESSION_TYPE");
    facts.x11Display = qgetenv("DISPLAY");
    const QByteArray platform = WindowDecisions::preferredPlatform(facts);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    preferPlatform(argc, argv);
    QApplication app(argc, argv);
    // The window's socket is set to no proxy; this keeps Qt from reading the
    // system's proxy settings, or fetching a proxy script, for anything else.
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvane.Quorvane"));
#ifndef Q_OS_WIN
    // Windows takes the icon from the program file's IDI_ICON1 resource.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/Quorvane.png")));
#endif

    SingleInstance instance;
    if (!instance.claim()) {
        std::fputs("quorvane: already running; its window was brought to the front\n", stderr);
        return 0;
    }

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return app.exec();
}

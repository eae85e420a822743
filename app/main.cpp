// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QNetworkProxyFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window's socket is set to no proxy; this keeps Qt from reading the
    // system's proxy settings, or fetching a proxy script, for anything else.
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvane.Quorvane"));
#ifndef Q_OS_WIN
    // Windows takes the icon from the program file's IDI_ICON1 resource.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/Quorvane.png")));
#endif

    MainWindow window;
    window.show();
    return app.exec();
}

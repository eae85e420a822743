// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Construction, the window's state and its lifetime.

#include "mainwindow.h"

#include "screenawake.h"

#include <QNetworkProxy>

MainWindow::ModalHook MainWindow::modalHook;

MainWindow::MainWindow()
{
    setWindowTitle(tr("Quorvane"));
    setGeometry(50, 80, 400, 200);
    setMinimumSize(40, 20);
    // The painter covers every pixel, so Qt need not clear the background
    // before each paint.
    setAttribute(Qt::WA_OpaquePaintEvent);

    createActions();
    addSystemMenuEntry();
    createShortcuts();
    setUpScreenCare();

    // A proxy named in the environment must never see the listening socket:
    // Qt would open a connection to it, and the display sends nothing, ever.
    udpSocket.setProxy(QNetworkProxy::NoProxy);
    // Another display on the same host may already listen: share the port
    // rather than fail. If the bind fails all the same, the window runs on
    // and shows dashes, which is the truth.
    udpSocket.bind(QHostAddress::AnyIPv4, TimecodePort, QUdpSocket::ReuseAddressHint);
    connect(&udpSocket, &QUdpSocket::readyRead, this, &MainWindow::processPendingDatagrams);

    connect(&tickTimer, &QTimer::timeout, this, &MainWindow::timerTimeout);
    tickTimer.start(TickIntervalMs);
}

MainWindow::~MainWindow() = default;

void MainWindow::setModalHook(ModalHook hook)
{
    modalHook = std::move(hook);
}

void MainWindow::runModal(QWidget &popup, const std::function<void()> &exec)
{
    if (modalHook)
        modalHook(popup);
    else
        exec();
}

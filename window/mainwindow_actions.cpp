// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The window's actions, its context menu and its two modes: full-screen and
// always on top.

#include "mainwindow.h"

#include "windowplatform.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

void MainWindow::createActions()
{
    // Added to the window itself, so that their shortcuts work with no menu bar.
    exitAction = new QAction(tr("Exit"), this);
    exitAction->setObjectName(QStringLiteral("exitAction"));
    exitAction->setShortcut(QKeySequence(tr("Ctrl+Q")));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    addAction(exitAction);

    alwaysOnTopAction = new QAction(tr("Always On Top"), this);
    alwaysOnTopAction->setObjectName(QStringLiteral("alwaysOnTopAction"));
    alwaysOnTopAction->setShortcut(QKeySequence(tr("Ctrl+T")));
    alwaysOnTopAction->setCheckable(true);
    // Unticked and greyed where the window system cannot keep it on top,
    // rather than ticked and covered.
    alwaysOnTopAction->setEnabled(WindowPlatform::canStayOnTop());
    connect(alwaysOnTopAction, &QAction::triggered, this, &MainWindow::viewAlwaysOnTop);
    addAction(alwaysOnTopAction);

    fullScreenAction = new QAction(tr("Full Screen"), this);
    fullScreenAction->setObjectName(QStringLiteral("fullScreenAction"));
    fullScreenAction->setShortcut(QKeySequence(tr("Alt+Return")));
    fullScreenAction->setCheckable(true);
    connect(fullScreenAction, &QAction::triggered, this, &MainWindow::viewFullScreen);
    addAction(fullScreenAction);
}

void MainWindow::viewAlwaysOnTop()
{
    if (!alwaysOnTopAction)
        return;
    WindowPlatform::setStaysOnTop(this, alwaysOnTopAction->isChecked());
}

void MainWindow::viewFullScreen()
{
    // Only the full-screen bit flips, so a maximized window comes back maximized.
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void MainWindow::endFullScreen()
{
    if (windowState() & Qt::WindowFullScreen)
        setWindowState(windowState() & ~Qt::WindowFullScreen);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event && (event->button() & Qt::LeftButton))
        viewFullScreen();
}

void MainWindow::changeEvent(QEvent *event)
{
    // However full-screen was entered or left (keys, mouse, the window
    // manager), the check mark follows the window here.
    if (event->type() == QEvent::WindowStateChange) {
        if (fullScreenAction)
            fullScreenAction->setChecked(isFullScreen());
        const bool wasFullScreen =
            static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowFullScreen;
        if (wasFullScreen != isFullScreen())
            fullScreenChanged(isFullScreen());
        updateScreenAwake();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (!event)
        return;

    QMenu menu(this);
    menu.setObjectName(QStringLiteral("contextMenu"));
    if (alwaysOnTopAction)
        menu.addAction(alwaysOnTopAction);
    if (fullScreenAction)
        menu.addAction(fullScreenAction);
    if (alwaysOnTopAction || fullScreenAction)
        menu.addSeparator();
    menu.addAction(tr("About..."), this, &MainWindow::helpAbout);
    if (exitAction) {
        menu.addSeparator();
        menu.addAction(exitAction);
    }

    const QPoint position = event->globalPos();
    runModal(menu, [&menu, position] { menu.exec(position); });
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The window's own keys, besides the shortcuts of its actions.

#include "mainwindow.h"

#include <QShortcut>

void MainWindow::createShortcuts()
{
    using Slot = void (MainWindow::*)();
    struct Binding
    {
        const char *keys;
        Slot slot;
    };
    // "Alt+Enter" is the keypad's Enter key; the main Return key is the Full
    // Screen action's "Alt+Return". Both toggle full-screen, and no sequence
    // is bound twice, so none is ambiguous.
    static const Binding bindings[] = {
        {QT_TR_NOOP("Ctrl+I"), &MainWindow::helpAbout},
        {QT_TR_NOOP("I"), &MainWindow::toggleDisplayFps},
        {QT_TR_NOOP("D"), &MainWindow::toggleDisplayFps},
        {QT_TR_NOOP("F11"), &MainWindow::viewFullScreen},
        {QT_TR_NOOP("Alt+Enter"), &MainWindow::viewFullScreen},
        {QT_TR_NOOP("F"), &MainWindow::viewFullScreen},
        {QT_TR_NOOP("Ctrl+F"), &MainWindow::viewFullScreen},
        {QT_TR_NOOP("Escape"), &MainWindow::endFullScreen},
    };

    for (const Binding &binding : bindings) {
        auto *shortcut = new QShortcut(QKeySequence(tr(binding.keys)), this, nullptr, nullptr,
                                       Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, binding.slot);
    }
}

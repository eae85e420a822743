// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Platforms other than Windows: no system menu to extend, the topmost layer
// through Qt's window flag where the window system has one, and no native
// screen saver commands.

#include "windowplatform.h"

#include "windowdecisions.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace WindowPlatform {

void addAboutToSystemMenu(QWidget *) {}

void setStaysOnTop(QWidget *window, bool onTop)
{
    // QWidget::setWindowFlags would hide and re-map the window, which moves
    // it under some window managers and drops it out of full-screen. Changing
    // the flag on the native window updates it in place (on X11 through
    // _NET_WM_STATE_ABOVE); the widget's own copy of the flags is kept in step
    // without telling the window system twice.
    window->winId();
    window->overrideWindowFlags(window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
    if (QWindow *handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

bool isAboutMessage(const QByteArray &, void *, qintptr *)
{
    return false;
}

bool canStayOnTop()
{
    return WindowDecisions::canStayOnTop(QGuiApplication::platformName());
}

bool isBlankingMessage(const QByteArray &, void *, bool, qintptr *)
{
    return false;
}

} // namespace WindowPlatform

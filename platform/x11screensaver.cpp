// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "x11screensaver.h"

#include <QGuiApplication>

#ifdef QUORVANE_HAVE_XSS
// Xlib's macros clash with Qt's names; its headers come last.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

void suspendX11ScreenSaver(bool suspend)
{
#ifdef QUORVANE_HAVE_XSS
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XScreenSaverQueryExtension(display, &event, &error) ||
        !XScreenSaverQueryVersion(display, &major, &minor) || major * 100 + minor < 101)
        return;
    XScreenSaverSuspend(display, suspend ? True : False);
    // A saver that already runs goes off when the timecode comes back.
    if (suspend)
        XResetScreenSaver(display);
    XFlush(display);
#else
    Q_UNUSED(suspend);
#endif
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Prints the X server's screen saver state as the MIT-SCREEN-SAVER extension
// reports it: "on", "off" or "disabled". Exits 1 without a display or the
// extension.

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    int event = 0, error = 0;
    XScreenSaverInfo *info = XScreenSaverAllocInfo();
    if (!info || !XScreenSaverQueryExtension(display, &event, &error) ||
        !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info))
        return 1;
    const char *state = info->state == ScreenSaverOn    ? "on"
                        : info->state == ScreenSaverOff ? "off"
                                                        : "disabled";
    std::puts(state);
    XFree(info);
    XCloseDisplay(display);
    return 0;
}

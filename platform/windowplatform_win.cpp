// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Windows: the system menu and the topmost layer through USER32.

#include "windowplatform.h"

#include "win32/win32window.h"

#include <QByteArray>
#include <QWidget>

namespace WindowPlatform {

void addAboutToSystemMenu(QWidget *window)
{
    // winId() creates the native window now, so the entry is in place before
    // the window is first shown.
    appendAboutMenuEntry(reinterpret_cast<HWND>(window->winId()));
}

void setStaysOnTop(QWidget *window, bool onTop)
{
    setWindowTopmost(reinterpret_cast<HWND>(window->winId()), onTop);
}

bool isAboutMessage(const QByteArray &eventType, void *message, qintptr *result)
{
    if (eventType != "windows_generic_MSG")
        return false;
    LRESULT windowsResult = 0;
    if (!isAboutSysCommandMessage(static_cast<const MSG *>(message), &windowsResult))
        return false;
    if (result)
        *result = windowsResult;
    return true;
}

bool canStayOnTop()
{
    return true;
}

bool isBlankingMessage(const QByteArray &eventType, void *message, bool displayHeld,
                       qintptr *result)
{
    if (eventType != "windows_generic_MSG")
        return false;
    LRESULT windowsResult = 0;
    if (!isSwallowedBlankingMessage(static_cast<const MSG *>(message), displayHeld, &windowsResult))
        return false;
    if (result)
        *result = windowsResult;
    return true;
}

} // namespace WindowPlatform

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "win32window.h"

#include "../systemcommand.h"

void appendAboutMenuEntry(HWND window)
{
    if (!window)
        return;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, AboutCommandId, AboutMenuText);
}

void setWindowTopmost(HWND window, bool topmost)
{
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

bool isAboutSysCommandMessage(const MSG *message, LRESULT *result)
{
    if (!message || !isAboutSysCommand(message->message, message->wParam))
        return false;
    if (result)
        *result = 0;
    return true;
}

void keepDisplayOn(bool on)
{
    SetThreadExecutionState(on ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

bool isSwallowedBlankingMessage(const MSG *message, bool displayHeld, LRESULT *result)
{
    if (!displayHeld || !message ||
        !isBlankingSysCommand(message->message, message->wParam, message->lParam))
        return false;
    if (result)
        *result = 0;
    return true;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SYSTEMCOMMAND_H
#define SYSTEMCOMMAND_H

#include <cstdint>

// The About entry that Windows builds append to the window's system menu, and
// how its command is recognised. Plain values and functions, so that every
// platform builds and tests the same decision.

constexpr unsigned int AboutCommandId = 16;
constexpr unsigned int WmSysCommand = 0x0112;
constexpr const char AboutMenuText[] = "About Quorvane...";

// Windows keeps its own flags in the low four bits of a system command's
// wParam, so they are masked off before comparing. The standard commands
// (0xF000 and up) never match.
constexpr bool isAboutCommand(std::uintptr_t wParam)
{
    return (wParam & 0xFFF0u) == AboutCommandId;
}

constexpr bool isAboutSysCommand(unsigned int message, std::uintptr_t wParam)
{
    return message == WmSysCommand && isAboutCommand(wParam);
}

// The commands by which Windows starts the screen saver or turns the monitor
// off (SC_SCREENSAVE, SC_MONITORPOWER). While the display must stay awake
// they are swallowed; turning the monitor on (lParam -1) always passes.
constexpr unsigned int ScScreenSave = 0xF140;
constexpr unsigned int ScMonitorPower = 0xF170;
constexpr std::intptr_t MonitorOn = -1;

constexpr bool isBlankingSysCommand(unsigned int message, std::uintptr_t wParam,
                                    std::intptr_t lParam)
{
    if (message != WmSysCommand)
        return false;
    const std::uintptr_t command = wParam & 0xFFF0u;
    return command == ScScreenSave || (command == ScMonitorPower && lParam != MonitorOn);
}

#endif // SYSTEMCOMMAND_H

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef WIN32WINDOW_H
#define WIN32WINDOW_H

// The Windows back end in plain Win32, with no Qt inside, so that it can be
// built and tested on its own.

// No min and max macros: Qt headers and the standard library follow this one.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Appends a separator and "About Quorvane..." (command 16) to the window's
// system menu. A null handle or a window without a system menu is left alone.
void appendAboutMenuEntry(HWND window);

// Puts the window into the topmost layer or takes it out, without moving,
// resizing or activating it.
void setWindowTopmost(HWND window, bool topmost);

// True when the message is the system menu's About command: *result (if
// given) is set to 0 and the message must not reach the default window
// procedure. Every other message, standard system commands included, is
// passed on.
bool isAboutSysCommandMessage(const MSG *message, LRESULT *result);

// Asks Windows to keep the display on, which also keeps the screen saver
// away, or lets it go again.
void keepDisplayOn(bool on);

// True while the display is held on and the message would start the screen
// saver or turn the monitor off: *result (if given) is set to 0 and the
// message must not reach the default window procedure.
bool isSwallowedBlankingMessage(const MSG *message, bool displayHeld, LRESULT *result);

#endif // WIN32WINDOW_H

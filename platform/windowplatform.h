// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef WINDOWPLATFORM_H
#define WINDOWPLATFORM_H

#include <QtGlobal>

class QByteArray;
class QWidget;

// The few window-manager services that Qt does not cover the same way
// everywhere. Windows builds go straight to USER32; other platforms use what
// Qt offers, or do without.
namespace WindowPlatform {

// Appends a separator and "About Quorvane..." to the window's system menu.
// Does nothing where there is no such menu, or when it cannot be had.
void addAboutToSystemMenu(QWidget *window);

// Moves the window into or out of the layer above ordinary windows, without
// moving, resizing or activating it. Failures are silent: the caller's check
// mark stays as the user set it.
void setStaysOnTop(QWidget *window, bool onTop);

// True when a native message is the system menu's About command. Then *result
// (if given) holds the value to hand back to the system, and the caller opens
// the About box.
bool isAboutMessage(const QByteArray &eventType, void *message, qintptr *result);

// True when the platform can keep a window above the others: not on native
// Wayland.
bool canStayOnTop();

// True when a native message would start the screen saver or turn the
// monitor off while the display is held awake (displayHeld). Then *result
// (if given) holds the value to hand back, and the caller swallows it.
bool isBlankingMessage(const QByteArray &eventType, void *message, bool displayHeld,
                       qintptr *result);

} // namespace WindowPlatform

#endif // WINDOWPLATFORM_H

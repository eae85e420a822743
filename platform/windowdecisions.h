// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef WINDOWDECISIONS_H
#define WINDOWDECISIONS_H

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// What the window asks of the platform, decided from plain facts so that
// every platform builds and tests the same rules.
namespace WindowDecisions {

// A stage display is never touched, so the desktop would blank it mid-show.
// The screen is kept awake while the window shows a timecode or fills the
// screen, and never for a window that is hidden or minimized.
constexpr bool shouldKeepAwake(bool windowShown, bool timecodeShown, bool fullScreen)
{
    return windowShown && (timecodeShown || fullScreen);
}

// Wayland gives clients no way to keep a window above the others, so there
// the Always On Top command would only pretend.
bool canStayOnTop(const QString &platformName);

// The platforms to try when the user has not chosen one, or an empty value
// to leave Qt's own choice alone. In a Wayland session with an X display
// (XWayland), X comes first: there the window manager keeps a window on top.
struct PlatformFacts
{
    QStringList arguments;     // the program's command line
    QByteArray qtQpaPlatform;  // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray xdgSessionType; // XDG_SESSION_TYPE
    QByteArray x11Display;     // DISPLAY
};
QByteArray preferredPlatform(const PlatformFacts &facts);

// Where a window with the frame `frame` belongs when the screens are
// `screens` (their available areas): where it is, if its centre lies on one
// of them; otherwise centred on `preferred` if that is still one of them, or
// on the first screen, shrunk to fit. No screens at all: where it is.
QRect placeOnScreens(const QRect &frame, const QList<QRect> &screens, const QRect &preferred);

} // namespace WindowDecisions

#endif // WINDOWDECISIONS_H

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "windowdecisions.h"

namespace WindowDecisions {

bool canStayOnTop(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

QByteArray preferredPlatform(const PlatformFacts &facts)
{
    if (!facts.qtQpaPlatform.isEmpty())
        return {};
    // Qt takes "-platform" with one dash or two.
    for (const QString &argument : facts.arguments.mid(1)) {
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return {};
    }
    const bool wayland = !facts.waylandDisplay.isEmpty() || facts.xdgSessionType == "wayland";
    if (!wayland || facts.x11Display.isEmpty())
        return {};
    // Wayland stays the fallback should the X connection fail.
    return QByteArrayLiteral("xcb;wayland");
}

QRect placeOnScreens(const QRect &frame, const QList<QRect> &screens, const QRect &preferred)
{
    if (screens.isEmpty())
        return frame;
    for (const QRect &screen : screens) {
        if (screen.contains(frame.center()))
            return frame;
    }
    const QRect target = screens.contains(preferred) ? preferred : screens.first();
    QRect placed(QPoint(), frame.size().boundedTo(target.size()));
    placed.moveCenter(target.center());
    return placed;
}

} // namespace WindowDecisions

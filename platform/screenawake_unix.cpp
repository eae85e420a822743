// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Linux and other freedesktop.org systems: the desktop's screen saver
// service over D-Bus, or the desktop portal where only that answers (a
// sandbox), and the X server's own screen saver.

#include "screenawake.h"

#include "x11screensaver.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

#include <optional>

namespace {

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");
constexpr uint PortalInhibitIdle = 8;
constexpr int ExitCallTimeoutMs = 1000;

QString reason()
{
    return QStringLiteral("Showing timecode");
}

QString applicationId()
{
    const QString id = QGuiApplication::desktopFileName();
    return id.isEmpty() ? QCoreApplication::applicationName() : id;
}

} // namespace

struct ScreenAwake::Private
{
    // Connected on the first hold, so that a display that never holds
    // never starts D-Bus.
    std::optional<QDBusConnection> bus;
    bool asking = false; // an Inhibit call is under way
    bool haveCookie = false;
    uint cookie = 0;               // from org.freedesktop.ScreenSaver
    QDBusObjectPath portalRequest; // from the portal; empty when none
};

ScreenAwake::ScreenAwake(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {}

ScreenAwake::~ScreenAwake()
{
    if (held) {
        held = false;
        suspendX11ScreenSaver(false);
        release(true);
    }
}

void ScreenAwake::hold(bool wanted)
{
    if (wanted == held)
        return;
    held = wanted;
    suspendX11ScreenSaver(held);
    if (held)
        acquire();
    else
        release(false);
}

void ScreenAwake::acquire()
{
    if (!d->bus)
        d->bus = QDBusConnection::sessionBus();
    if (!d->bus->isConnected() || d->asking || d->haveCookie || !d->portalRequest.path().isEmpty())
        return;

    // Asked without waiting: a desktop that is slow to answer must not hold
    // up the timecode. The answer may come after the hold has ended; then it
    // is let go at once.
    d->asking = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("Inhibit"));
    call << applicationId() << reason();
    auto *watcher = new QDBusPendingCallWatcher(d->bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        d->asking = false;
        if (reply.isError()) {
            askPortal();
            return;
        }
        d->haveCookie = true;
        d->cookie = reply.value();
        if (!held)
            release(false);
    });
}

void ScreenAwake::askPortal()
{
    d->asking = true;
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInhibit,
                                                       QStringLiteral("Inhibit"));
    call << QString() << PortalInhibitIdle << QVariantMap{{QStringLiteral("reason"), reason()}};
    auto *watcher = new QDBusPendingCallWatcher(d->bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        d->asking = false;
        if (reply.isError())
            return; // no desktop service: the X server's saver is all there is
        d->portalRequest = reply.value();
        if (!held)
            release(false);
    });
}

void ScreenAwake::release(bool exiting)
{
    QDBusMessage call;
    if (d->haveCookie) {
        call = QDBusMessage::createMethodCall(ScreenSaverService, ScreenSaverPath,
                                              ScreenSaverService, QStringLiteral("UnInhibit"));
        call << d->cookie;
        d->haveCookie = false;
    } else if (!d->portalRequest.path().isEmpty()) {
        call = QDBusMessage::createMethodCall(PortalService, d->portalRequest.path(), PortalRequest,
                                              QStringLiteral("Close"));
        d->portalRequest = QDBusObjectPath();
    } else {
        return;
    }
    // At exit the call must reach the bus before the connection closes.
    if (exiting)
        d->bus->call(call, QDBus::Block, ExitCallTimeoutMs);
    else
        d->bus->asyncCall(call);
}

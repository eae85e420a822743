// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SCREENAWAKE_H
#define SCREENAWAKE_H

#include <QObject>

#include <memory>

// Keeps the screen from blanking while held. On a Linux desktop it asks the
// desktop's screen saver service over D-Bus (or the desktop portal), and on
// X also keeps the X server's own screen saver from starting, which is all
// that a bare X session or a kiosk has. On Windows it asks the system to
// keep the display on. Failures are silent: the screen then blanks as
// before. Let go on destruction.
class ScreenAwake : public QObject
{
public:
    explicit ScreenAwake(QObject *parent = nullptr);
    ~ScreenAwake() override;

    void hold(bool held);
    bool isHeld() const { return held; }

private:
    struct Private;

    // The desktop's service: asking for the hold and letting it go.
    void acquire();
    void askPortal();
    void release(bool exiting);

    bool held = false;
    std::unique_ptr<Private> d;
};

#endif // SCREENAWAKE_H

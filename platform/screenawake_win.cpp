// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Windows: the display stays on while the thread says it is required; the
// window swallows the screen saver's system commands meanwhile.

#include "screenawake.h"

#include "win32/win32window.h"

struct ScreenAwake::Private
{
};

ScreenAwake::ScreenAwake(QObject *parent) : QObject(parent) {}

ScreenAwake::~ScreenAwake()
{
    hold(false);
}

void ScreenAwake::hold(bool wanted)
{
    if (wanted == held)
        return;
    held = wanted;
    if (held)
        acquire();
    else
        release(false);
}

void ScreenAwake::acquire()
{
    keepDisplayOn(true);
}

void ScreenAwake::release(bool)
{
    keepDisplayOn(false);
}

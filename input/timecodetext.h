// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODETEXT_H
#define TIMECODETEXT_H

#include <QString>

// What the display shows for a frame count at a rate: " 1:00:02,11" for
// 90061 at 25 fps (hours are space-filled, the rest zero-filled), and
// "--:--:--,--" for a count of -1. A rate of 0 counts as 25.
QString timecodeText(qint32 frameCount, qint32 frameRate);

#endif // TIMECODETEXT_H

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef X11SCREENSAVER_H
#define X11SCREENSAVER_H

// Suspends the X server's own screen saver (and its power saving) through
// the MIT-SCREEN-SAVER extension, or lets it run again. Does nothing when the
// program does not run on X or the server lacks the extension.
void suspendX11ScreenSaver(bool suspend);

#endif // X11SCREENSAVER_H

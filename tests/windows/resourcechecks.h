// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef RESOURCECHECKS_H
#define RESOURCECHECKS_H

// Checks of the Windows resources linked into the running program: the
// version record and the icon group that the program file carries.
void checkVersionRecord();
void checkIconGroup();

#endif // RESOURCECHECKS_H

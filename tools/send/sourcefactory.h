// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SOURCEFACTORY_H
#define SOURCEFACTORY_H

#include "sendoptions.h"
#include "timecodesource.h"

#include <memory>

// Opens the source that the options name. On failure returns nothing and
// says why in *error.
std::unique_ptr<TimecodeSource> createSource(const SendOptions &options, SourceError *error);

#endif // SOURCEFACTORY_H

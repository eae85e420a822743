// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QImage>

// The program's picture: a grey monitor on a small stand, its black screen
// showing "Time" in bright green, on a transparent background. Drawn from
// paths alone, without fonts, so that the pixels do not depend on the fonts
// installed where the tool runs.
namespace IconPicture {

// A size x size image in QImage::Format_ARGB32 (not premultiplied).
QImage draw(int size);

} // namespace IconPicture

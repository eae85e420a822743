// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

// A picture reduced to a palette, for the PNG and the icon images that have
// no alpha channel. Index 0 is black and is kept for the transparent pixels:
// they see through, so every other entry is free for the picture's colours.
struct IndexedImage
{
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;         // exactly the requested number of entries
    std::vector<std::uint8_t> indices; // row by row, top row first
    std::vector<bool> transparent;     // per pixel, same order

    // Pixels less than half opaque become transparent, the others fully
    // opaque: these formats know nothing between the two.
    static IndexedImage fromImage(const QImage &image, int paletteSize);
};

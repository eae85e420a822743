// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QByteArray>
#include <QImage>

struct IndexedImage;

// PNG files written chunk by chunk, so that their layout is exactly the one
// chosen here and their bytes the same on every run (no time stamp, no text,
// no gamma or colour-space chunks).
namespace PngWriter {

// Colour type 3, 8 bits per index, no interlace: IHDR, PLTE with every
// palette entry, tRNS making index 0 (and only it) transparent, one IDAT,
// IEND.
QByteArray indexed(const IndexedImage &image);

// Colour type 6 (RGBA, 8 bits per channel), no interlace: IHDR, one IDAT,
// IEND.
QByteArray rgba(const QImage &image);

} // namespace PngWriter

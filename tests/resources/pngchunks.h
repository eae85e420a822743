// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <optional>
#include <vector>

// The chunks of a PNG file in order, read without a PNG library so that the
// tests see the layout as written; nullopt for a bad signature or a chunk
// running past the end of the data. CRCs are left to the decoder.
struct PngChunk
{
    QByteArray type;
    QByteArray data;
};

inline std::uint32_t bigEndian32(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<std::uint32_t>(bytes.constData() + at);
}

inline std::optional<std::vector<PngChunk>> readPngChunks(const QByteArray &png)
{
    if (!png.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8)))
        return std::nullopt;
    std::vector<PngChunk> chunks;
    qsizetype at = 8;
    while (at < png.size()) {
        if (png.size() - at < 12)
            return std::nullopt;
        const std::uint32_t length = bigEndian32(png, at);
        if (length > std::uint32_t(png.size() - at - 12))
            return std::nullopt;
        chunks.push_back({png.mid(at + 4, 4), png.mid(at + 8, qsizetype(length))});
        at += 12 + qsizetype(length);
    }
    return chunks;
}

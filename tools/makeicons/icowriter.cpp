// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "icowriter.h"

#include "indexedimage.h"
#include "pngwriter.h"

#include <QtEndian>

#include <cstdint>

namespace {

void append16(QByteArray &out, std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void append32(QByteArray &out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Bitmap rows are padded to a multiple of four bytes.
int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QByteArray bitmapHeader(int width, int height, int bitsPerPixel, int paletteSize)
{
    const int imageBytes = (rowBytes(width, bitsPerPixel) + rowBytes(width, 1)) * height;
    QByteArray out;
    append32(out, 40);
    append32(out, static_cast<std::uint32_t>(width));
    append32(out, static_cast<std::uint32_t>(2 * height)); // colour data and AND mask
    append16(out, 1);                                      // planes
    append16(out, static_cast<std::uint16_t>(bitsPerPixel));
    append32(out, 0); // BI_RGB, uncompressed
    append32(out, static_cast<std::uint32_t>(imageBytes));
    append32(out, 0); // pixels per metre, horizontal
    append32(out, 0); // and vertical
    append32(out, static_cast<std::uint32_t>(paletteSize));
    append32(out, 0); // all colours important
    return out;
}

// The AND mask: 1 where the screen shows through. Bottom row first, like the
// colour data.
template <typename IsTransparent>
QByteArray andMask(int width, int height, IsTransparent isTransparent)
{
    const int stride = rowBytes(width, 1);
    QByteArray out(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        char *row = out.data() + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (isTransparent(x, y))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return out;
}

} // namespace

void IcoWriter::addPaletteBitmap(const QImage &picture, int bitsPerPixel)
{
    const int paletteSize = 1 << bitsPerPixel;
    const IndexedImage image = IndexedImage::fromImage(picture, paletteSize);
    const int width = image.width;
    const int height = image.height;

    QByteArray data = bitmapHeader(width, height, bitsPerPixel, paletteSize);
    for (const QRgb entry : image.palette) {
        data.append(static_cast<char>(qBlue(entry)));
        data.append(static_cast<char>(qGreen(entry)));
        data.append(static_cast<char>(qRed(entry)));
        data.append(char(0));
    }
    const int stride = rowBytes(width, bitsPerPixel);
    const int perByte = 8 / bitsPerPixel;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = image.indices[static_cast<std::size_t>(y * width + x)];
            const int shift = (perByte - 1 - x % perByte) * bitsPerPixel;
            row[x / perByte] = static_cast<char>(row[x / perByte] | (index << shift));
        }
        data.append(row);
    }
    data.append(andMask(width, height, [&image, width](int x, int y) {
        return image.transparent[static_cast<std::size_t>(y * width + x)];
    }));
    m_entries.push_back({width, height, bitsPerPixel < 8 ? paletteSize : 0, bitsPerPixel, data});
}

void IcoWriter::addTrueColourBitmap(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    QByteArray data = bitmapHeader(width, height, 32, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            append32(data, image.pixel(x, y)); // little-endian 0xAARRGGBB is B, G, R, A
    }
    // Readers that ignore the alpha channel fall back on the mask; it draws
    // the same outline as the palette images.
    data.append(
        andMask(width, height, [&image](int x, int y) { return qAlpha(image.pixel(x, y)) < 128; }));
    m_entries.push_back({width, height, 0, 32, data});
}

void IcoWriter::addPng(const QImage &picture)
{
    m_entries.push_back({picture.width(), picture.height(), 0, 32, PngWriter::rgba(picture)});
}

QByteArray IcoWriter::file() const
{
    QByteArray out;
    append16(out, 0); // reserved
    append16(out, 1); // icon, not cursor
    append16(out, static_cast<std::uint16_t>(m_entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(m_entries.size());
    for (const Entry &entry : m_entries) {
        // A byte holds sizes up to 255; 0 stands for 256.
        out.append(static_cast<char>(entry.width & 0xFF));
        out.append(static_cast<char>(entry.height & 0xFF));
        out.append(static_cast<char>(entry.colourCount));
        out.append(char(0));
        append16(out, 1); // planes
        append16(out, static_cast<std::uint16_t>(entry.bitsPerPixel));
        append32(out, static_cast<std::uint32_t>(entry.data.size()));
        append32(out, offset);
        offset += static_cast<std::uint32_t>(entry.data.size());
    }
    for (const Entry &entry : m_entries)
        out.append(entry.data);
    return out;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "pngwriter.h"

#include "indexedimage.h"

#include <QtEndian>

#include <array>
#include <cstdint>

namespace {

std::uint32_t crc32(const QByteArray &data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void appendBigEndian32(QByteArray &out, std::uint32_t value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const QByteArray typeAndData = QByteArray(type, 4) + data;
    png.append(typeAndData);
    appendBigEndian32(png, crc32(typeAndData));
}

QByteArray header(int width, int height, char colourType)
{
    QByteArray ihdr;
    appendBigEndian32(ihdr, static_cast<std::uint32_t>(width));
    appendBigEndian32(ihdr, static_cast<std::uint32_t>(height));
    ihdr.append(char(8));    // bit depth
    ihdr.append(colourType); // colour type
    ihdr.append(char(0));    // deflate
    ihdr.append(char(0));    // adaptive filtering
    ihdr.append(char(0));    // no interlace
    return ihdr;
}

// qCompress puts the uncompressed length in front of an ordinary zlib stream
// (header, deflate data, Adler-32); IDAT wants the zlib stream alone.
QByteArray zlibStream(const QByteArray &raw)
{
    return qCompress(raw, 9).mid(4);
}

QByteArray signature()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

} // namespace

namespace PngWriter {

QByteArray indexed(const IndexedImage &image)
{
    QByteArray palette;
    for (const QRgb entry : image.palette) {
        palette.append(static_cast<char>(qRed(entry)));
        palette.append(static_cast<char>(qGreen(entry)));
        palette.append(static_cast<char>(qBlue(entry)));
    }
    // Rows each start with filter type 0: filters that predict from
    // neighbours do not help palette indices.
    QByteArray raw;
    for (int y = 0; y < image.height; ++y) {
        raw.append(char(0));
        const auto row = image.indices.begin() + static_cast<long>(y) * image.width;
        raw.append(reinterpret_cast<const char *>(&*row), image.width);
    }
    QByteArray png = signature();
    appendChunk(png, "IHDR", header(image.width, image.height, 3));
    appendChunk(png, "PLTE", palette);
    appendChunk(png, "tRNS", QByteArray(1, char(0)));
    appendChunk(png, "IDAT", zlibStream(raw));
    appendChunk(png, "IEND", QByteArray());
    return png;
}

QByteArray rgba(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    QByteArray raw;
    for (int y = 0; y < image.height(); ++y) {
        raw.append(char(0));
        raw.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    }
    QByteArray png = signature();
    appendChunk(png, "IHDR", header(image.width(), image.height(), 6));
    appendChunk(png, "IDAT", zlibStream(raw));
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace PngWriter

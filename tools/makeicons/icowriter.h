// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

// A Windows icon file (.ico): a directory of images, each either a device-
// independent bitmap (BITMAPINFOHEADER of twice the height, colour data,
// then the one-bit AND mask) or a whole PNG file.
class IcoWriter
{
public:
    // 4 or 8 bits per pixel: the picture reduced to 16 or 256 colours.
    void addPaletteBitmap(const QImage &picture, int bitsPerPixel);
    // 32 bits per pixel, blue-green-red-alpha, alpha not premultiplied.
    void addTrueColourBitmap(const QImage &picture);
    // The picture as an RGBA PNG file; used for 256 x 256.
    void addPng(const QImage &picture);

    QByteArray file() const;

private:
    struct Entry
    {
        int width;
        int height;
        int colourCount; // 0 for 256 colours or more
        int bitsPerPixel;
        QByteArray data;
    };
    std::vector<Entry> m_entries;
};

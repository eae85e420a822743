// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "indexedimage.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>

namespace {

struct Colour
{
    std::array<int, 3> channel; // red, green, blue
    long count;
};

using Box = std::vector<Colour>;

int widestChannel(const Box &box, int *range)
{
    int best = 0;
    *range = -1;
    for (int c = 0; c < 3; ++c) {
        const auto [low, high] =
            std::minmax_element(box.begin(), box.end(), [c](const Colour &a, const Colour &b) {
                return a.channel[c] < b.channel[c];
            });
        const int span = high->channel[c] - low->channel[c];
        if (span > *range) {
            *range = span;
            best = c;
        }
    }
    return best;
}

// Median cut: split the box with the widest spread of colour at the pixel
// median of its widest channel, until there are enough boxes or none can be
// split. Every choice is made in a fixed order, so the result never varies.
std::vector<Box> medianCut(Box all, int boxCount)
{
    std::vector<Box> boxes;
    if (all.empty())
        return boxes;
    boxes.push_back(std::move(all));
    while (static_cast<int>(boxes.size()) < boxCount) {
        int chosen = -1;
        int chosenRange = 0;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            int range = 0;
            widestChannel(boxes[i], &range);
            if (boxes[i].size() > 1 && range > chosenRange) {
                chosen = i;
                chosenRange = range;
            }
        }
        if (chosen < 0)
            break;
        Box &box = boxes[chosen];
        int range = 0;
        const int c = widestChannel(box, &range);
        std::stable_sort(box.begin(), box.end(), [c](const Colour &a, const Colour &b) {
            return a.channel[c] < b.channel[c];
        });
        long total = 0;
        for (const Colour &colour : box)
            total += colour.count;
        long seen = 0;
        std::size_t cut = 1;
        while (cut < box.size() - 1 && (seen += box[cut - 1].count) < total / 2)
            ++cut;
        Box upper(box.begin() + static_cast<long>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

QRgb average(const Box &box)
{
    std::array<long, 3> sum{};
    long total = 0;
    for (const Colour &colour : box) {
        for (int c = 0; c < 3; ++c)
            sum[c] += colour.channel[c] * colour.count;
        total += colour.count;
    }
    return qRgb(static_cast<int>((sum[0] + total / 2) / total),
                static_cast<int>((sum[1] + total / 2) / total),
                static_cast<int>((sum[2] + total / 2) / total));
}

std::uint8_t nearest(const std::vector<QRgb> &palette, int used, QRgb colour)
{
    int best = 1;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 1; i < used; ++i) {
        const long dr = qRed(palette[i]) - qRed(colour);
        const long dg = qGreen(palette[i]) - qGreen(colour);
        const long db = qBlue(palette[i]) - qBlue(colour);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

bool isOpaque(QRgb pixel)
{
    return qAlpha(pixel) >= 128;
}

} // namespace

IndexedImage IndexedImage::fromImage(const QImage &source, int paletteSize)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    IndexedImage result;
    result.width = image.width();
    result.height = image.height();

    std::map<QRgb, long> histogram; // ordered, so the boxes start out the same every run
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (isOpaque(pixel))
                ++histogram[qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel))];
        }
    }
    Box all;
    for (const auto &[rgb, count] : histogram)
        all.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});

    result.palette.assign(static_cast<std::size_t>(paletteSize), qRgb(0, 0, 0));
    int used = 1;
    for (const Box &box : medianCut(std::move(all), paletteSize - 1))
        result.palette[static_cast<std::size_t>(used++)] = average(box);

    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool seeThrough = !isOpaque(pixel);
            result.transparent.push_back(seeThrough);
            result.indices.push_back(seeThrough ? 0 : nearest(result.palette, used, pixel));
        }
    }
    return result;
}

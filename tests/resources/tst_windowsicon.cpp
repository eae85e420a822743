// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The Windows icon file that the resource script builds into the program.

#include "picturelandmarks.h"
#include "pngchunks.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include <cstdint>

namespace {

std::uint16_t le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + at);
}

std::uint32_t le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

struct DirectoryEntry
{
    int width;
    int height;
    int colourCount;
    int reserved;
    int planes;
    int bitsPerPixel;
    std::uint32_t bytes;
    std::uint32_t offset;
};

} // namespace

class TestWindowsIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void imagesFillTheFileInOrder();
    void directoryEntry_data() { imageRows(); }
    void directoryEntry();
    void imageHeader_data() { imageRows(); }
    void imageHeader();
    void maskedPixelsAreBlack_data() { imageRows(); }
    void maskedPixelsAreBlack();
    void decodesToThePicture_data() { imageRows(); }
    void decodesToThePicture();

private:
    void imageRows();
    QByteArray imageData(int index) const;

    QByteArray m_ico;
    std::vector<DirectoryEntry> m_entries;
};

void TestWindowsIcon::initTestCase()
{
    QFile file(QStringLiteral(QUORVANE_RES_DIR "/Quorvane.ico"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    m_ico = file.readAll();
    QVERIFY(m_ico.size() >= 6);
    QCOMPARE(le16(m_ico, 0), 0);
    QCOMPARE(le16(m_ico, 2), 1); // icon, not cursor
    QCOMPARE(le16(m_ico, 4), 10);
    QVERIFY(m_ico.size() >= 6 + 10 * 16);
    for (qsizetype at = 6; at < 6 + 10 * 16; at += 16) {
        m_entries.push_back({uchar(m_ico[at]), uchar(m_ico[at + 1]), uchar(m_ico[at + 2]),
                             uchar(m_ico[at + 3]), le16(m_ico, at + 4), le16(m_ico, at + 6),
                             le32(m_ico, at + 8), le32(m_ico, at + 12)});
    }
}

// Each image starts where the one before ends, the first right after the
// directory, and the last ends with the file: nothing overlaps, nothing is
// cut off, nothing trails.
void TestWindowsIcon::imagesFillTheFileInOrder()
{
    std::uint32_t expected = 6 + 10 * 16;
    for (const DirectoryEntry &entry : m_entries) {
        QCOMPARE(entry.offset, expected);
        expected += entry.bytes;
    }
    QCOMPARE(qsizetype(expected), m_ico.size());
}

void TestWindowsIcon::imageRows()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<bool>("png");

    const struct
    {
        int size;
        int bits;
        bool png;
    } images[] = {{48, 4, false},  {32, 4, false}, {16, 4, false},  {48, 8, false},
                  {32, 8, false},  {16, 8, false}, {256, 32, true}, {48, 32, false},
                  {32, 32, false}, {16, 32, false}};
    int index = 0;
    for (const auto &image : images) {
        QTest::addRow("%d: %dx%d, %d bpp%s", index + 1, image.size, image.size, image.bits,
                      image.png ? ", PNG" : "")
            << index << image.size << image.bits << image.png;
        ++index;
    }
}

QByteArray TestWindowsIcon::imageData(int index) const
{
    const DirectoryEntry &entry = m_entries.at(std::size_t(index));
    return m_ico.mid(qsizetype(entry.offset), qsizetype(entry.bytes));
}

void TestWindowsIcon::directoryEntry()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(int, bitsPerPixel);

    const DirectoryEntry &entry = m_entries.at(std::size_t(index));
    // The width and height bytes hold 0 for 256.
    QCOMPARE(entry.width, size % 256);
    QCOMPARE(entry.height, size % 256);
    QCOMPARE(entry.colourCount, bitsPerPixel == 4 ? 16 : 0);
    QCOMPARE(entry.reserved, 0);
    QCOMPARE(entry.planes, 1);
    QCOMPARE(entry.bitsPerPixel, bitsPerPixel);
}

void TestWindowsIcon::imageHeader()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(int, bitsPerPixel);
    QFETCH(bool, png);

    const QByteArray data = imageData(index);
    if (png) {
        const auto chunks = readPngChunks(data);
        QVERIFY2(chunks, "not a well-formed PNG file");
        QVERIFY(!chunks->empty());
        QCOMPARE(chunks->front().type, QByteArray("IHDR"));
        const QByteArray ihdr = chunks->front().data;
        QCOMPARE(ihdr.size(), 13);
        QCOMPARE(bigEndian32(ihdr, 0), uint(size));
        QCOMPARE(bigEndian32(ihdr, 4), uint(size));
        QCOMPARE(int(ihdr[8]), 8); // bits per channel
        QCOMPARE(int(ihdr[9]), 6); // RGBA
        QCOMPARE(chunks->back().type, QByteArray("IEND"));
        return;
    }
    QVERIFY(data.size() >= 40);
    QCOMPARE(le32(data, 0), 40u);            // BITMAPINFOHEADER
    QCOMPARE(le32(data, 4), uint(size));     // width
    QCOMPARE(le32(data, 8), uint(2 * size)); // colour data and mask
    QCOMPARE(le16(data, 12), 1);             // planes
    QCOMPARE(le16(data, 14), bitsPerPixel);
    QCOMPARE(le32(data, 16), 0u); // uncompressed
    const int paletteBytes = bitsPerPixel <= 8 ? 4 << bitsPerPixel : 0;
    const int pixelBytes = (rowBytes(size, bitsPerPixel) + rowBytes(size, 1)) * size;
    QCOMPARE(data.size(), 40 + paletteBytes + pixelBytes);
}

// Where the AND mask lets the screen through, the colour data must be black:
// Windows draws a masked icon by ANDing the mask and then XORing the colours,
// so any other colour would tint whatever lies behind the icon.
void TestWindowsIcon::maskedPixelsAreBlack()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(int, bitsPerPixel);
    QFETCH(bool, png);
    if (png)
        QSKIP("a PNG image has no mask");

    const QByteArray data = imageData(index);
    const int paletteBytes = bitsPerPixel <= 8 ? 4 << bitsPerPixel : 0;
    const qsizetype colours = 40 + paletteBytes;
    const qsizetype mask = colours + qsizetype(rowBytes(size, bitsPerPixel)) * size;
    int masked = 0;
    for (int row = 0; row < size; ++row) {
        for (int x = 0; x < size; ++x) {
            const uchar maskByte = uchar(data[mask + row * rowBytes(size, 1) + x / 8]);
            if (!(maskByte & (0x80 >> (x % 8))))
                continue;
            ++masked;
            const qsizetype pixel = colours + row * rowBytes(size, bitsPerPixel);
            QRgb colour;
            if (bitsPerPixel == 32) {
                colour = le32(data, pixel + 4 * x);
                // With an alpha channel, the mask must agree with it.
                QVERIFY2(qAlpha(colour) < 128, qPrintable(describePixel(colour)));
                continue;
            }
            const int perByte = 8 / bitsPerPixel;
            const int shift = (perByte - 1 - x % perByte) * bitsPerPixel;
            const int paletteIndex =
                (uchar(data[pixel + x / perByte]) >> shift) & ((1 << bitsPerPixel) - 1);
            colour = le32(data, 40 + 4 * paletteIndex) & 0xFFFFFF;
            QVERIFY2(colour == 0, qPrintable(QStringLiteral("pixel (%1, %2) is masked but %3")
                                                 .arg(x)
                                                 .arg(size - 1 - row)
                                                 .arg(describePixel(colour))));
        }
    }
    // The surroundings are transparent: a good part of the picture.
    QVERIFY2(masked > size * size / 8, qPrintable(QString::number(masked)));
}

void TestWindowsIcon::decodesToThePicture()
{
    QFETCH(int, index);
    QFETCH(int, size);

    QBuffer buffer(&m_ico);
    QImageReader reader(&buffer, "ico");
    QVERIFY2(reader.canRead(), "Qt's icon reader is missing or rejects the file");
    QCOMPARE(reader.imageCount(), 10);
    QVERIFY(reader.jumpToImage(index));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), QSize(size, size));
    verifyLandmarks(image);
}

QTEST_GUILESS_MAIN(TestWindowsIcon)
#include "tst_windowsicon.moc"

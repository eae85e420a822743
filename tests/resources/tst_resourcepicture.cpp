// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The picture built into the program, as the About box loads it.

#include "picturelandmarks.h"
#include "pngchunks.h"

#include <QFile>
#include <QImage>
#include <QTest>

class TestResourcePicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chunkLayout();
    void header_data();
    void header();
    void paletteAndTransparency();
    void loadsWithItsPicture();

private:
    QByteArray m_png;
    std::vector<PngChunk> m_chunks;
};

void TestResourcePicture::initTestCase()
{
    QFile file(QStringLiteral(":/res/Quorvane.png"));
    QVERIFY2(file.open(QIODevice::ReadOnly), "the picture is not in the resource collection");
    m_png = file.readAll();
    const auto chunks = readPngChunks(m_png);
    QVERIFY2(chunks, "not a well-formed PNG file");
    m_chunks = *chunks;
}

void TestResourcePicture::chunkLayout()
{
    QByteArrayList types;
    for (const PngChunk &chunk : m_chunks)
        types.append(chunk.type);
    QCOMPARE(types.join(' '), QByteArray("IHDR PLTE tRNS IDAT IEND"));
}

void TestResourcePicture::header_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<uint>("expected");

    QTest::newRow("width") << 0 << 4 << 96u;
    QTest::newRow("height") << 4 << 4 << 96u;
    QTest::newRow("bit depth") << 8 << 1 << 8u;
    QTest::newRow("colour type: indexed") << 9 << 1 << 3u;
    QTest::newRow("compression") << 10 << 1 << 0u;
    QTest::newRow("filter method") << 11 << 1 << 0u;
    QTest::newRow("interlace: none") << 12 << 1 << 0u;
}

void TestResourcePicture::header()
{
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(uint, expected);

    const QByteArray ihdr = m_chunks.front().data;
    QCOMPARE(ihdr.size(), 13);
    const uint value = size == 4 ? bigEndian32(ihdr, offset) : uchar(ihdr.at(offset));
    QCOMPARE(value, expected);
}

void TestResourcePicture::paletteAndTransparency()
{
    QCOMPARE(m_chunks.at(1).data.size(), 256 * 3);
    // Exactly one transparency entry: index 0 is see-through, and every index
    // after it, having no entry, is opaque.
    QCOMPARE(m_chunks.at(2).data, QByteArray(1, '\0'));
}

void TestResourcePicture::loadsWithItsPicture()
{
    const QImage picture(QStringLiteral(":/res/Quorvane.png"));
    QVERIFY2(!picture.isNull(), "Qt cannot decode the picture");
    QCOMPARE(picture.size(), QSize(96, 96));
    verifyLandmarks(picture);
}

QTEST_GUILESS_MAIN(TestResourcePicture)
#include "tst_resourcepicture.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The Windows icon file that the resource script builds into the program:
// every image still shows the picture after its reduction to a palette. The
// file's layout is icons_test.sh's to check.

#include "picturelandmarks.h"

#include <QImageReader>
#include <QTest>

class TestWindowsIcon : public QObject
{
    Q_OBJECT

private slots:
    void decodesToThePicture_data();
    void decodesToThePicture();
};

void TestWindowsIcon::decodesToThePicture_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");

    const int sizes[] = {48, 32, 16, 48, 32, 16, 256, 48, 32, 16};
    for (int index = 0; index < 10; ++index)
        QTest::addRow("%d: %dx%d", index + 1, sizes[index], sizes[index]) << index << sizes[index];
}

void TestWindowsIcon::decodesToThePicture()
{
    QFETCH(int, index);
    QFETCH(int, size);

    QImageReader reader(QStringLiteral(QUORVANE_RES_DIR "/Quorvane.ico"), "ico");
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

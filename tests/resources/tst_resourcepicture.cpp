// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The picture built into the program, as the About box loads it. Its file
// layout is icons_test.sh's to check.

#include "picturelandmarks.h"

#include <QImage>
#include <QTest>

class TestResourcePicture : public QObject
{
    Q_OBJECT

private slots:
    void loadsWithItsPicture();
};

void TestResourcePicture::loadsWithItsPicture()
{
    const QImage picture(QStringLiteral(":/res/Quorvane.png"));
    QVERIFY2(!picture.isNull(), "the picture is missing from the resources or Qt cannot decode it");
    QCOMPARE(picture.size(), QSize(96, 96));
    verifyLandmarks(picture);
}

QTEST_GUILESS_MAIN(TestResourcePicture)
#include "tst_resourcepicture.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "pixels.h"
#include "timecodepainter.h"
#include "timecodetext.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using namespace Pixels;

namespace {

QImage render(const QSize &size, const DisplayFrame &frame, const QFont *windowFont = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white); // anything not painted over shows up
    QPainter painter(&image);
    if (windowFont)
        painter.setFont(*windowFont);
    TimecodePainter().paint(painter, size, frame);
    return image;
}

// 88:48:48,48 at 50 fps: eight digits wide, so the ink spans nearly the
// whole text.
constexpr qint32 WideCount = ((88 * 3600 + 48 * 60 + 48) * 50) + 48;

} // namespace

class TimecodePainterTest : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void stretch_data();
    void stretch();
    void label_data();
    void label();
    void labelFollowsWindowFont();
};

void TimecodePainterTest::colours_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<QSize>("size");

    QTest::newRow("dashes green") << -1 << false << QSize(400, 200);
    QTest::newRow("dashes red") << -1 << true << QSize(400, 200);
    QTest::newRow("time green") << 90061 << false << QSize(400, 200);
    QTest::newRow("time red") << 90061 << true << QSize(400, 200);
    QTest::newRow("smallest window") << 90061 << false << QSize(40, 20);
}

void TimecodePainterTest::colours()
{
    QFETCH(int, count);
    QFETCH(bool, highlighted);
    QFETCH(QSize, size);

    const QImage image = render(size, DisplayFrame{count, 25, highlighted, false});
    const QRgb ink = highlighted ? Red : Green;
    const QRgb other = highlighted ? Green : Red;

    QVERIFY(find(image, ink).count > 0);
    QCOMPARE(find(image, other).count, 0);
    QCOMPARE(countForeign(image, ink), 0);
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
        QCOMPARE(image.pixel(corner), Black);
}

void TimecodePainterTest::stretch_data()
{
    QTest::addColumn<QSize>("size");

    QTest::newRow("wider than high") << QSize(400, 200);
    QTest::newRow("higher than wide") << QSize(200, 400);
    QTest::newRow("square") << QSize(300, 300);
    QTest::newRow("full HD") << QSize(1920, 1080);
    QTest::newRow("very wide") << QSize(1600, 90);
}

// Twelve digits' width is stretched to the window's width, the text is
// centred in it, and the font's pixel size is the smaller side.
void TimecodePainterTest::stretch()
{
    QFETCH(QSize, size);

    const QImage image = render(size, DisplayFrame{WideCount, 50, false, false});
    const Area ink = find(image, Green);
    QVERIFY(ink.count > 0);

    QFont font(QStringLiteral("Courier New"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(qMin(size.width(), size.height()));
    const QFontMetrics metrics(font);
    const QString text = timecodeText(WideCount, 50);
    QCOMPARE(text, QStringLiteral("88:48:48,48"));
    const double measure = metrics.horizontalAdvance(QStringLiteral("000000000000"));
    const double scale = size.width() / measure;
    const QRect glyphs = metrics.tightBoundingRect(text);
    const double left = (measure - metrics.horizontalAdvance(text)) / 2;
    const double baseline = (size.height() - metrics.height()) / 2.0 + metrics.ascent();

    // Half a character of margin on each side, stretched.
    const double tolerance = 2 + scale;
    QVERIFY2(qAbs(ink.bounds.left() - (left + glyphs.left()) * scale) <= tolerance,
             qPrintable(QStringLiteral("left edge %1").arg(ink.bounds.left())));
    QVERIFY2(qAbs(ink.bounds.right() - (left + glyphs.right()) * scale) <= tolerance,
             qPrintable(QStringLiteral("right edge %1").arg(ink.bounds.right())));
    // The height is not stretched.
    QVERIFY2(qAbs(ink.bounds.top() - (baseline + glyphs.top())) <= 3,
             qPrintable(QStringLiteral("top edge %1").arg(ink.bounds.top())));
    QVERIFY2(qAbs(ink.bounds.bottom() - (baseline + glyphs.bottom())) <= 3,
             qPrintable(QStringLiteral("bottom edge %1").arg(ink.bounds.bottom())));
    // Whatever the measure, the digits fill most of the width.
    QVERIFY(ink.bounds.width() > size.width() * 0.8);
}

void TimecodePainterTest::label_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("count");

    QTest::newRow("25 fps") << 25 << 90061;
    QTest::newRow("rate 0 reads 25") << 0 << 61;
    QTest::newRow("100 fps") << 100 << 90061;
    QTest::newRow("with dashes, last rate") << 30 << -1;
}

void TimecodePainterTest::label()
{
    QFETCH(int, rate);
    QFETCH(int, count);
    const QSize size(400, 300);

    const QImage off = render(size, DisplayFrame{count, rate, false, false});
    const QImage on = render(size, DisplayFrame{count, rate, false, true});
    QCOMPARE(find(off, Grey).count, 0);
    QCOMPARE(countForeign(off, Green), 0);

    // A font sized in points reports a pixel size of -1: baseline at H - 9.
    const QFontMetrics metrics{QFont()};
    const int baseline = size.height() - 9;
    const QRect expected(8, baseline - metrics.ascent(), metrics.horizontalAdvance("100 fps"),
                         metrics.ascent() + metrics.descent());
    const Area grey = find(on, Grey);
    QVERIFY(grey.count > 0);
    QVERIFY2(expected.adjusted(-1, -1, 1, 1).contains(grey.bounds),
             qPrintable(QStringLiteral("label at %1,%2 %3x%4")
                            .arg(grey.bounds.x())
                            .arg(grey.bounds.y())
                            .arg(grey.bounds.width())
                            .arg(grey.bounds.height())));

    // The label's text is the rate's: a three-digit rate is wider.
    const QImage wide = render(size, DisplayFrame{count, 100, false, true});
    if (rate != 100)
        QVERIFY(find(wide, Grey).bounds.right() > grey.bounds.right());
}

void TimecodePainterTest::labelFollowsWindowFont()
{
    const QSize size(400, 300);
    QFont windowFont;
    windowFont.setPixelSize(12);
    const QImage image = render(size, DisplayFrame{-1, 25, false, true}, &windowFont);
    const QFontMetrics metrics(windowFont);

    // Baseline at H - 10 - 12: the "fps" descender reaches just below it.
    const int baseline = size.height() - 22;
    QVERIFY(find(image, Grey).count > 0);
    const QRect label = inkBounds(image, QRect(0, size.height() - 60, 120, 60));
    QVERIFY2(label.bottom() > baseline && label.bottom() <= baseline + metrics.descent() &&
                 label.top() >= baseline - metrics.ascent() && label.left() >= 8,
             qPrintable(QStringLiteral("label at %1,%2 %3x%4")
                            .arg(label.x())
                            .arg(label.y())
                            .arg(label.width())
                            .arg(label.height())));
}

QTEST_MAIN(TimecodePainterTest)
#include "tst_timecodepainter.moc"

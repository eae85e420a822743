// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The program's painter keeps pictures between frames; whatever it keeps, each
// frame must look as if the scaled text had been drawn whole, the plain way.

#include "framecompare.h"
#include "timecodepainter.h"

#include <QFont>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <vector>

namespace {

struct Target
{
    QSize size;
    qreal ratio = 1;
    QImage::Format format = QImage::Format_RGB32;
};

// Paints a frame over what the image holds, clipped to a region if given.
void paintInto(QImage &image, TimecodePainter &painter, const QSize &size,
               const DisplayFrame &frame, int labelPixelSize, const QRegion &clip = QRegion())
{
    QPainter device(&image);
    if (labelPixelSize > 0) {
        QFont font = device.font();
        font.setPixelSize(labelPixelSize);
        device.setFont(font);
    }
    if (!clip.isEmpty())
        device.setClipRegion(clip);
    painter.paint(device, size, frame);
}

// The image has a device pixel more than the window at the right and the
// bottom, as a backing store may: what is painted there must match too.
QImage render(TimecodePainter &painter, const Target &target, const DisplayFrame &frame,
              int labelPixelSize)
{
    QImage image(int(std::ceil(target.size.width() * target.ratio)) + 1,
                 int(std::ceil(target.size.height() * target.ratio)) + 1, target.format);
    image.setDevicePixelRatio(target.ratio);
    image.fill(Qt::white); // whatever is not painted shows up
    paintInto(image, painter, target.size, frame, labelPixelSize);
    return image;
}

QRgb textColour(const DisplayFrame &frame)
{
    return frame.highlighted ? 0xffff0000 : 0xff00ff00;
}

constexpr qint32 hms(int h, int m, int s, int rate)
{
    return ((h * 3600) + (m * 60) + s) * rate;
}

// A show in miniature, in the order a window would see it: dashes at start,
// streams at every rate with frames, seconds and hours rolling over, a new
// sender, the label, loss of signal, and states beyond the usual range.
std::vector<DisplayFrame> showFrames()
{
    std::vector<DisplayFrame> frames{{-1, 0, false, false}, {-1, 0, false, true}};
    for (const qint32 rate : {0, 24, 25, 30, 50, 60, 100}) {
        const qint32 r = rate ? rate : 25;
        for (const qint32 count : {hms(0, 0, 0, r), hms(0, 59, 59, r) + r - 1, hms(1, 0, 0, r),
                                   hms(99, 59, 59, r) + r - 1})
            frames.push_back({count, rate, false, false});
    }
    for (qint32 count = 90061; count < 90061 + 4; ++count)
        frames.push_back({count, 25, false, count % 2 == 0});
    frames.push_back({90065, 25, true, false});
    frames.push_back({90066, 25, true, true});
    frames.push_back({-1, 25, true, false});
    frames.push_back({-1, 30, false, true});
    frames.push_back({2147483647, 24, false, false}); // hours beyond 99: a longer line
    frames.push_back({8888888, 7, false, true});      // a rate no sender may use
    frames.push_back({90061, 25, false, false});
    return frames;
}

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(DisplayFrame)

class PaintIdentityTest : public QObject
{
    Q_OBJECT

private slots:
    void identical_data();
    void identical();
    void partialRepaint_data();
    void partialRepaint();
    void otherScreen_data();
    void otherScreen();
    void cacheKeepsOneGeometry_data();
    void cacheKeepsOneGeometry();
};

void PaintIdentityTest::identical_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("labelPixelSize"); // 0: the default font, in points
    QTest::addColumn<int>("stride");         // every n-th frame of the show

    const auto rgb = QImage::Format_RGB32;
    const auto argb = QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("smallest 40x20") << Target{{40, 20}, 1, rgb} << 0 << 1;
    QTest::newRow("odd 41x23") << Target{{41, 23}, 1, argb} << 0 << 1;
    QTest::newRow("narrow 60x200") << Target{{60, 200}, 1, rgb} << 0 << 1;
    QTest::newRow("tall 200x800") << Target{{200, 800}, 1, argb} << 0 << 1;
    QTest::newRow("square 300x300") << Target{{300, 300}, 1, rgb} << 12 << 1;
    QTest::newRow("default 400x200") << Target{{400, 200}, 1, rgb} << 0 << 1;
    QTest::newRow("strip 1000x90") << Target{{1000, 90}, 1, rgb} << 0 << 1;
    QTest::newRow("label under digits 160x80") << Target{{160, 80}, 1, rgb} << 40 << 1;
    QTest::newRow("1280x720") << Target{{1280, 720}, 1, argb} << 0 << 1;
    QTest::newRow("1920x1080") << Target{{1920, 1080}, 1, rgb} << 0 << 2;
    QTest::newRow("3840x2160") << Target{{3840, 2160}, 1, rgb} << 0 << 5;
    QTest::newRow("hidpi 400x200@2") << Target{{400, 200}, 2, argb} << 0 << 1;
    QTest::newRow("hidpi 333x111@2") << Target{{333, 111}, 2, rgb} << 12 << 1;
    QTest::newRow("hidpi 401x203@3") << Target{{401, 203}, 3, rgb} << 0 << 2;
    QTest::newRow("odd 41x23@1.25") << Target{{41, 23}, 1.25, rgb} << 0 << 1;
    QTest::newRow("400x200@1.25") << Target{{400, 200}, 1.25, argb} << 0 << 1;
    QTest::newRow("333x111@1.5") << Target{{333, 111}, 1.5, rgb} << 12 << 1;
    QTest::newRow("400x200@1.5") << Target{{400, 200}, 1.5, rgb} << 0 << 1;
    QTest::newRow("tall 201x799@1.5") << Target{{201, 799}, 1.5, argb} << 0 << 2;
    QTest::newRow("401x203@1.75") << Target{{401, 203}, 1.75, rgb} << 0 << 1;
    QTest::newRow("2560x1440@1.5") << Target{{2560, 1440}, 1.5, rgb} << 0 << 5;
    QTest::newRow("1536x864@1.25") << Target{{1536, 864}, 1.25, rgb} << 0 << 5;
}

// One painter of each kind for the whole show, so that the cached painter
// draws most frames from what it kept of the earlier ones.
void PaintIdentityTest::identical()
{
    QFETCH(Target, target);
    QFETCH(int, labelPixelSize);
    QFETCH(int, stride);

    TimecodePainter program;
    TimecodePainter plain(TimecodePainter::Mode::Plain);
    const std::vector<DisplayFrame> frames = showFrames();
    for (std::size_t i = 0; i < frames.size(); i += std::size_t(stride)) {
        const DisplayFrame &frame = frames[i];
        const FrameDifference difference =
            compareFrames(render(program, target, frame, labelPixelSize),
                          render(plain, target, frame, labelPixelSize), textColour(frame));
        const QByteArray where = QStringLiteral("frame %1 (count %2, rate %3): %4 differing, %5")
                                     .arg(i)
                                     .arg(frame.frameCount)
                                     .arg(frame.frameRate)
                                     .arg(difference.differing)
                                     .arg(difference.firstAt)
                                     .toUtf8();
        QVERIFY2(difference.differing == 0, where.constData());
    }
}

void PaintIdentityTest::partialRepaint_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<DisplayFrame>("from");
    QTest::addColumn<DisplayFrame>("to");
    QTest::addColumn<bool>("small"); // only a few places need repainting

    const auto rgb = QImage::Format_RGB32;
    for (const Target &target : {Target{{400, 200}, 1, rgb}, Target{{1920, 1080}, 1, rgb},
                                 Target{{70, 300}, 1, rgb}, Target{{400, 200}, 1.5, rgb},
                                 Target{{333, 111}, 1.25, rgb}, Target{{401, 203}, 1.75, rgb}}) {
        const QByteArray name = QByteArray::number(target.size.width()) + "x" +
                                QByteArray::number(target.size.height()) + "@" +
                                QByteArray::number(target.ratio) + " ";
        const bool wide = target.size.width() > target.size.height();
        QTest::newRow(name + "next frame") << target << DisplayFrame{90061, 25, false, false}
                                           << DisplayFrame{90062, 25, false, false} << wide;
        QTest::newRow(name + "next second") << target << DisplayFrame{90074, 25, false, true}
                                            << DisplayFrame{90075, 25, false, true} << wide;
        QTest::newRow(name + "next hour") << target << DisplayFrame{hms(9, 59, 59, 30) + 29, 30}
                                          << DisplayFrame{hms(10, 0, 0, 30), 30} << false;
        QTest::newRow(name + "signal lost")
            << target << DisplayFrame{90061, 25} << DisplayFrame{-1, 25} << false;
        QTest::newRow(name + "signal back")
            << target << DisplayFrame{-1, 25} << DisplayFrame{90061, 25} << false;
        QTest::newRow(name + "new sender")
            << target << DisplayFrame{90061, 25} << DisplayFrame{90062, 25, true} << false;
        QTest::newRow(name + "rate with label") << target << DisplayFrame{1000, 25, false, true}
                                                << DisplayFrame{1000, 50, false, true} << false;
        QTest::newRow(name + "rate without label")
            << target << DisplayFrame{1000, 25} << DisplayFrame{1001, 50} << false;
        QTest::newRow(name + "longer line")
            << target << DisplayFrame{90061, 25} << DisplayFrame{2147483647, 24} << false;
    }
}

// A window repaints only what changedArea names; the rest of the last frame
// must then already be right.
void PaintIdentityTest::partialRepaint()
{
    QFETCH(Target, target);
    QFETCH(DisplayFrame, from);
    QFETCH(DisplayFrame, to);
    QFETCH(bool, small);

    TimecodePainter program;
    QImage window = render(program, target, from, 0);
    const QRegion changed = program.changedArea(target.size, target.ratio, from, to);
    QVERIFY(!changed.isEmpty());
    paintInto(window, program, target.size, to, 0, changed);

    TimecodePainter plain(TimecodePainter::Mode::Plain);
    const FrameDifference difference =
        compareFrames(window, render(plain, target, to, 0), textColour(to));
    QVERIFY2(difference.differing == 0, qPrintable(difference.firstAt));
    if (small)
        QVERIFY(changed.boundingRect().width() < target.size.width() / 3);

    QVERIFY(program.changedArea(target.size, target.ratio, to, to).isEmpty());
    // Before anything was painted at a size, nothing is known of it.
    const QRegion whole(QRect(QPoint(), target.size));
    QCOMPARE(TimecodePainter().changedArea(target.size, target.ratio, from, to), whole);
}

void PaintIdentityTest::otherScreen_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("fromRatio");
    QTest::addColumn<qreal>("toRatio");

    QTest::newRow("400x200 1 to 2") << QSize(400, 200) << qreal(1) << qreal(2);
    QTest::newRow("400x200 2 to 1") << QSize(400, 200) << qreal(2) << qreal(1);
    QTest::newRow("400x200 1 to 1.5") << QSize(400, 200) << qreal(1) << qreal(1.5);
    QTest::newRow("333x111 1.25 to 1.75") << QSize(333, 111) << qreal(1.25) << qreal(1.75);
    QTest::newRow("333x111 3 to 1.25") << QSize(333, 111) << qreal(3) << qreal(1.25);
}

// A window moved to a screen of another scale keeps its logical size: what
// the painter kept for the old ratio must not show on the new screen, neither
// in a whole frame nor in the area that the next frame repaints.
void PaintIdentityTest::otherScreen()
{
    QFETCH(QSize, size);
    QFETCH(qreal, fromRatio);
    QFETCH(qreal, toRatio);

    const auto rgb = QImage::Format_RGB32;
    const Target before{size, fromRatio, rgb};
    const Target after{size, toRatio, rgb};
    const DisplayFrame first{90061, 25};
    const DisplayFrame next{90062, 25};

    TimecodePainter program;
    TimecodePainter plain(TimecodePainter::Mode::Plain);
    render(program, before, first, 0);
    QImage window = render(program, after, first, 0);
    FrameDifference difference = compareFrames(window, render(plain, after, first, 0), 0xff00ff00);
    QVERIFY2(difference.differing == 0, qPrintable(difference.firstAt));

    render(program, before, first, 0);
    paintInto(window, program, size, next, 0, program.changedArea(size, toRatio, first, next));
    difference = compareFrames(window, render(plain, after, next, 0), 0xff00ff00);
    QVERIFY2(difference.differing == 0, qPrintable(difference.firstAt));
}

void PaintIdentityTest::cacheKeepsOneGeometry_data()
{
    QTest::addColumn<Target>("before");
    QTest::addColumn<Target>("after");

    const auto rgb = QImage::Format_RGB32;
    QTest::newRow("resized") << Target{{800, 400}, 1, rgb} << Target{{400, 200}, 1, rgb};
    QTest::newRow("other screen") << Target{{400, 200}, 2, rgb} << Target{{400, 200}, 1.5, rgb};
}

// What was kept for an old size or screen is dropped, not added to.
void PaintIdentityTest::cacheKeepsOneGeometry()
{
    QFETCH(Target, before);
    QFETCH(Target, after);

    TimecodePainter program;
    for (const DisplayFrame &frame : showFrames())
        render(program, before, frame, 0);
    render(program, after, DisplayFrame{90061, 25}, 0);
    TimecodePainter fresh;
    render(fresh, after, DisplayFrame{90061, 25}, 0);
    QCOMPARE(program.cacheBytes(), fresh.cacheBytes());
}

QTEST_MAIN(PaintIdentityTest)
#include "tst_paintidentity.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "ltcsignal.h"
#include "ltcsource.h"
#include "soundfileinput.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>

namespace {

struct Decoded
{
    QList<int> counts;
    QList<int> rates;
    QList<int> flags;
};

// Plays the file as fast as it reads and keeps what the source hands out.
Decoded decodeFile(const QString &path)
{
    SourceError error;
    std::unique_ptr<SoundFileInput> input = SoundFileInput::open(path, 1, false, &error);
    if (!input) {
        qWarning() << error.message;
        return {};
    }
    LtcSource source(std::move(input));
    Decoded decoded;
    SourceFrame frame;
    const auto noDeadline = TimecodeSource::Clock::time_point::max();
    while (source.next(noDeadline, &frame) == TimecodeSource::Status::Frame) {
        decoded.counts.append(frame.frameCount);
        decoded.rates.append(frame.frameRate);
        decoded.flags.append(int(frame.flagWord));
    }
    return decoded;
}

QList<int> range(int first, int last)
{
    QList<int> counts;
    for (int count = first; first <= last ? count <= last : count >= last;
         count += first <= last ? 1 : -1)
        counts.append(count);
    return counts;
}

std::vector<float> operator+(std::vector<float> a, const std::vector<float> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<float> scaled(std::vector<float> samples, float factor)
{
    for (float &s : samples)
        s *= factor;
    return samples;
}

constexpr int Rate = 48000;

std::vector<float> ltc25(int hours, int frames, int count)
{
    return libltcSignal(Rate, 25, TimecodeFields{hours, 0, 0, frames}, count);
}

} // namespace

class TestLtcSource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decodes_data();
    void decodes();
    void robustness_data();
    void robustness();

private:
    QTemporaryDir m_dir;
};

void TestLtcSource::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

// Every frame but the first (held until a second one agrees) reaches the
// display, as frames since midnight at the nominal rate. A frame ends with
// the edge that starts the next one, so the signals carry one more frame,
// which never ends: 11 frames make 9 datagrams, the 2nd frame to the 10th.
void TestLtcSource::decodes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("fps");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<TimecodeFields>("start");
    QTest::addColumn<bool>("handmade");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("flag");
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("neighbours"); // must follow each other
    QTest::addColumn<int>("last");

    const TimecodeFields oneHour{1, 0, 0, 20};
    const TimecodeFields beforeMidnight25{23, 59, 59, 20};
    const TimecodeFields beforeMidnight30{23, 59, 59, 25};
    const TimecodeFields dropBoundary{0, 0, 59, 25};
    QTest::newRow("24 at 44.1 kHz") << "24.wav" << 24.0 << 44100 << oneHour << false << 24 << 0
                                    << 86421 << QList<int>{86423, 86424} << 86429;
    QTest::newRow("24 at 48 kHz, FLAC") << "24.flac" << 24.0 << 48000 << oneHour << false << 24 << 0
                                        << 86421 << QList<int>{86423, 86424} << 86429;
    QTest::newRow("25 at 44.1 kHz, midnight")
        << "25.wav" << 25.0 << 44100 << beforeMidnight25 << false << 25 << 0 << 2159996
        << QList<int>{2159999, 0} << 4;
    QTest::newRow("25 at 48 kHz, midnight, AIFF")
        << "25.aiff" << 25.0 << 48000 << beforeMidnight25 << false << 25 << 0 << 2159996
        << QList<int>{2159999, 0} << 4;
    QTest::newRow("29.97 drop-frame at 44.1 kHz")
        << "2997.wav" << 29.97 << 44100 << dropBoundary << false << 30 << 1 << 1796
        << QList<int>{1799, 1802} << 1806;
    QTest::newRow("29.97 drop-frame at 48 kHz")
        << "2997.flac" << 29.97 << 48000 << dropBoundary << false << 30 << 1 << 1796
        << QList<int>{1799, 1802} << 1806;
    QTest::newRow("30 at 44.1 kHz, midnight")
        << "30.wav" << 30.0 << 44100 << beforeMidnight30 << false << 30 << 0 << 2591996
        << QList<int>{2591999, 0} << 4;
    QTest::newRow("30 at 48 kHz, midnight")
        << "30.aiff" << 30.0 << 48000 << beforeMidnight30 << false << 30 << 0 << 2591996
        << QList<int>{2591999, 0} << 4;
    QTest::newRow("25 at 48 kHz, coded by hand")
        << "hand.wav" << 25.0 << 48000 << TimecodeFields{10, 0, 0, 0} << true << 25 << 0 << 900001
        << QList<int>{900004, 900005} << 900009;
}

void TestLtcSource::decodes()
{
    QFETCH(QString, file);
    QFETCH(double, fps);
    QFETCH(int, sampleRate);
    QFETCH(TimecodeFields, start);
    QFETCH(bool, handmade);

    const std::vector<float> signal = handmade ? handmadeSignal(sampleRate, int(fps), start, 11)
                                               : libltcSignal(sampleRate, fps, start, 11);
    const QString path = m_dir.filePath(file);
    QVERIFY(writeSoundFile(path, signal, sampleRate));
    const Decoded decoded = decodeFile(path);

    QCOMPARE(decoded.counts.size(), 9);
    QTEST(decoded.counts.constFirst(), "first");
    QTEST(decoded.counts.constLast(), "last");
    QFETCH(QList<int>, neighbours);
    const qsizetype at = decoded.counts.indexOf(neighbours[0]);
    QVERIFY2(at >= 0 && decoded.counts.value(at + 1) == neighbours[1],
             qPrintable(QString::number(decoded.counts.value(at + 1))));
    QFETCH(int, rate);
    QFETCH(int, flag);
    QCOMPARE(decoded.rates, QList<int>(9, rate));
    QCOMPARE(decoded.flags, QList<int>(9, flag));
}

void TestLtcSource::robustness_data()
{
    QTest::addColumn<std::vector<float>>("signal");
    QTest::addColumn<QList<int>>("counts");

    // As in decodes(), the last frame of each stretch of LTC never ends.
    const int hour = 90000;
    const std::vector<float> silence(Rate / 2, 0.0f);
    QTest::newRow("-30 dBFS") << scaled(ltc25(1, 0, 10), 0.0316f) << range(hour + 1, hour + 8);
    QTest::newRow("-40 dBFS") << scaled(ltc25(1, 0, 10), 0.01f) << range(hour + 1, hour + 8);
    QTest::newRow("inverted") << scaled(ltc25(1, 0, 10), -1) << range(hour + 1, hour + 8);
    QTest::newRow("dropout") << ltc25(1, 0, 10) + silence + ltc25(1, 20, 10)
                             << range(hour + 1, hour + 8) + range(hour + 21, hour + 28);
    QTest::newRow("reverse") << libltcSignal(Rate, 25, TimecodeFields{1, 0, 0, 10}, 10, true)
                             << range(hour + 9, hour + 2);
    // Frames 0 to 4, one misread frame, frames 6 to 9: the stray never shows.
    QTest::newRow("one misread frame") << ltc25(1, 0, 5) + ltc25(7, 0, 1) + ltc25(1, 6, 4)
                                       << range(hour + 1, hour + 4) + range(hour + 6, hour + 8);
    QTest::newRow("locate") << ltc25(1, 0, 5) + ltc25(2, 0, 5)
                            << range(hour + 1, hour + 4) + range(2 * hour + 1, 2 * hour + 3);
    std::vector<float> paused;
    for (int i = 0; i < 10; ++i)
        paused = paused + ltc25(1, 5, 1);
    QTest::newRow("paused") << paused << QList<int>(8, hour + 5);

    QTest::newRow("silence") << std::vector<float>(2 * Rate, 0.0f) << QList<int>();
    std::mt19937 random(7);
    std::normal_distribution<float> gauss(0, 0.3f);
    std::vector<float> noise(2 * Rate);
    for (float &s : noise)
        s = gauss(random);
    QTest::newRow("noise") << noise << QList<int>();
    // A chord with a beat, loud enough to be clipped in places.
    std::vector<float> music(2 * Rate);
    for (std::size_t i = 0; i < music.size(); ++i) {
        const double t = double(i) / Rate;
        music[i] = float((std::sin(2 * M_PI * 440 * t) + std::sin(2 * M_PI * 554.4 * t) +
                          std::sin(2 * M_PI * 659.3 * t)) *
                         (0.5 + 0.5 * std::sin(2 * M_PI * 2 * t)) * 0.4);
    }
    QTest::newRow("music") << music << QList<int>();
}

void TestLtcSource::robustness()
{
    QFETCH(std::vector<float>, signal);
    const QString path = m_dir.filePath(QStringLiteral("robust.wav"));
    QVERIFY(writeSoundFile(path, signal, Rate));
    QTEST(decodeFile(path).counts, "counts");
}

QTEST_GUILESS_MAIN(TestLtcSource)
#include "tst_ltcsource.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "artnettimecode.h"

#include <QTest>

using namespace std::chrono;

class TestArtNetFollower : public QObject
{
    Q_OBJECT

private slots:
    void followsFirstUntilSilent_data();
    void followsFirstUntilSilent();
};

void TestArtNetFollower::followsFirstUntilSilent_data()
{
    // Packets as "sender@milliseconds", and whether each is followed.
    QTest::addColumn<QStringList>("packets");
    QTest::addColumn<QString>("followed");

    QTest::newRow("two consoles at once")
        << QStringList{"a@0", "b@10", "a@40", "b@50", "a@80"} << "yes no yes no yes";
    QTest::newRow("the first falls silent for a second")
        << QStringList{"a@0", "b@500", "b@999", "b@1000", "a@1040", "b@1040"}
        << "yes no no yes no yes";
    QTest::newRow("the second keeps the first out while it keeps sending")
        << QStringList{"a@0", "b@1000", "a@1900", "b@1990", "a@2991"} << "yes yes no yes yes";
}

void TestArtNetFollower::followsFirstUntilSilent()
{
    QFETCH(QStringList, packets);
    QFETCH(QString, followed);

    ArtNetFollower follower;
    QStringList answers;
    for (const QString &packet : packets) {
        const QStringList parts = packet.split(QLatin1Char('@'));
        const ArtNetFollower::Clock::time_point at{milliseconds(parts[1].toInt() + 100000)};
        answers << (follower.follows(parts[0].toStdString(), at) ? "yes" : "no");
    }
    QCOMPARE(answers.join(QLatin1Char(' ')), followed);
}

QTEST_APPLESS_MAIN(TestArtNetFollower)
#include "tst_artnetfollower.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "dummyjack.h"
#include "ltcsignal.h"
#include "timecodedatagram.h"

#include <QDir>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QUdpSocket>

#include <jack/jack.h>

#include <cstring>

namespace {

// A JACK client with one output port that plays a signal once, from a few
// periods after something is connected to it: the period in which the
// connection is made may not reach the other side yet.
class JackPlayer
{
public:
    ~JackPlayer()
    {
        if (m_client)
            jack_client_close(m_client);
    }

    bool open(const QByteArray &server, std::vector<float> signal)
    {
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
        m_signal = std::move(signal);
        jack_status_t status{};
        if (m_client)
            jack_client_close(m_client);
        m_client = jack_client_open("player", jack_options_t(JackNoStartServer | JackServerName),
                                    &status, server.constData());
        if (!m_client)
            return false;
        m_port = jack_port_register(m_client, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(m_client, process, this);
        return m_port && jack_activate(m_client) == 0;
    }

private:
    static int process(jack_nframes_t frames, void *self)
    {
        auto *player = static_cast<JackPlayer *>(self);
        auto *out = static_cast<float *>(jack_port_get_buffer(player->m_port, frames));
        if (jack_port_connected(player->m_port) > 0)
            ++player->m_connectedPeriods;
        const bool playing = player->m_connectedPeriods > 4;
        for (jack_nframes_t i = 0; i < frames; ++i)
            out[i] = playing && player->m_played < player->m_signal.size()
                         ? player->m_signal[player->m_played++]
                         : 0.0f;
        return 0;
    }

    jack_client_t *m_client = nullptr;
    jack_port_t *m_port = nullptr;
    std::vector<float> m_signal;
    std::size_t m_played = 0;
    int m_connectedPeriods = 0;
};

QString jackServerName()
{
    return QStringLiteral("quorvane-test-%1").arg(QCoreApplication::applicationPid());
}

QList<int> range(int first, int last)
{
    QList<int> counts;
    for (int count = first; count <= last; ++count)
        counts.append(count);
    return counts;
}

} // namespace

// The real program with each source, sending to a socket on 127.0.0.1 at a
// port of the system's choosing.
class TestSendSources : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ltcEndToEnd_data();
    void ltcEndToEnd();
    void clockAgreesWithDate_data();
    void clockAgreesWithDate();
    void badInput_data();
    void badInput();
    void sendErrorsDoNotEndTheSender();

private:
    // Starts the program sending to the receiver.
    void start(const QStringList &arguments, const QProcessEnvironment &environment = {});
    // Reads datagrams until 'wanted' have come, the program has ended, or
    // none has come for two seconds.
    QList<Timecode> receive(int wanted, QList<quint32> *flags = nullptr);

    QTemporaryDir m_dir;
    QUdpSocket m_receiver;
    QProcess m_sender;
    QProcess m_jackd;
};

void TestSendSources::init()
{
    QVERIFY(m_dir.isValid());
    m_receiver.setProxy(QNetworkProxy::NoProxy);
    QVERIFY(m_receiver.bind(QHostAddress::LocalHost, 0));
}

void TestSendSources::cleanup()
{
    m_sender.terminate();
    m_sender.waitForFinished(5000);
    m_jackd.terminate();
    m_jackd.waitForFinished(5000);
    // jackd leaves a semaphore file per client behind in /dev/shm.
    QDir shm(QStringLiteral("/dev/shm"));
    for (const QString &name :
         shm.entryList({QStringLiteral("jack_sem.*_%1_*").arg(jackServerName())}, QDir::Files))
        shm.remove(name);
    m_receiver.close();
}

void TestSendSources::start(const QStringList &arguments, const QProcessEnvironment &environment)
{
    if (!environment.isEmpty())
        m_sender.setProcessEnvironment(environment);
    m_sender.start(
        QStringLiteral(QUORVANE_SEND_PATH),
        arguments + QStringList{QStringLiteral("--port"), QString::number(m_receiver.localPort())});
    QVERIFY2(m_sender.waitForStarted(10000), qPrintable(m_sender.errorString()));
}

QList<Timecode> TestSendSources::receive(int wanted, QList<quint32> *flags)
{
    QList<Timecode> received;
    QDeadlineTimer deadline(20000);
    QDeadlineTimer quiet(10000);
    while (received.size() < wanted && !deadline.hasExpired() && !quiet.hasExpired()) {
        if (!m_receiver.waitForReadyRead(100) && m_sender.state() == QProcess::NotRunning)
            break;
        if (m_receiver.hasPendingDatagrams())
            quiet.setRemainingTime(2000);
        while (m_receiver.hasPendingDatagrams()) {
            const QByteArray data = m_receiver.receiveDatagram().data();
            TimecodeBuffer buffer{};
            std::memcpy(buffer.data(), data.constData(),
                        std::min<std::size_t>(buffer.size(), std::size_t(data.size())));
            received.append(decodeTimecodeDatagram(buffer, data.size()).value_or(Timecode{-1, -1}));
            if (flags)
                flags->append(quint32(buffer[11]));
        }
    }
    return received;
}

// One second of 25 fps LTC from 01:00:00:00: every frame reaches the
// display but the first (held until the second agrees) and the last (which
// ends with the next edge, and none comes). Through JACK silence comes
// before the LTC, and libltc spends one more frame locking on; and on a
// swamped machine the JACK server may skip the sender for a period, which
// costs the frames in it, so there the frames that come must be in order
// and most of them must come.
void TestSendSources::ltcEndToEnd_data()
{
    QTest::addColumn<bool>("jack");
    QTest::addColumn<int>("first");
    QTest::newRow("sound file") << false << 90001;
    QTest::newRow("JACK") << true << 90002;
}

void TestSendSources::ltcEndToEnd()
{
    QFETCH(bool, jack);
    QFETCH(int, first);
    const std::vector<float> signal = libltcSignal(48000, 25, TimecodeFields{1, 0, 0, 0}, 25);
    JackPlayer player;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList arguments{QStringLiteral("--source"), QStringLiteral("ltc"),
                          QStringLiteral("--input")};
    if (jack) {
        if (QStandardPaths::findExecutable(QStringLiteral("jackd")).isEmpty())
            QSKIP("jackd is not installed (Debian package jackd2)");
        const QString server = jackServerName();
        QVERIFY(startDummyJack(m_jackd, server, 256));
        // The server is ready once a client gets in.
        QDeadlineTimer deadline(10000);
        while (!player.open(server.toUtf8(), signal) && !deadline.hasExpired())
            QTest::qWait(100);
        QVERIFY2(!deadline.hasExpired(), "jackd did not come up");
        environment.insert(QStringLiteral("JACK_DEFAULT_SERVER"), server);
        arguments << QStringLiteral("jack:player:out");
    } else {
        const QString file = m_dir.filePath(QStringLiteral("ltc.flac"));
        QVERIFY(writeSoundFile(file, signal, 48000, 2, 1));
        arguments << file << QStringLiteral("--channel") << QStringLiteral("2");
    }
    start(arguments, environment);

    QList<quint32> flags;
    const QList<Timecode> received = receive(90023 - first + 1, &flags);
    QList<int> counts;
    for (const Timecode &timecode : received) {
        QCOMPARE(timecode.frameRate, 25);
        counts.append(timecode.frameCount);
    }
    if (jack) {
        QVERIFY2(counts.size() >= 15, qPrintable(QString::number(counts.size())));
        QVERIFY(counts.constFirst() >= first);
        for (qsizetype i = 1; i < counts.size(); ++i)
            QVERIFY(counts[i] > counts[i - 1] && counts[i] <= 90023);
    } else {
        QCOMPARE(counts, range(first, 90023));
    }
    QCOMPARE(flags, QList<quint32>(counts.size(), 0));
    // A file ends the sender by itself; JACK runs until stopped.
    if (jack)
        m_sender.terminate();
    QVERIFY(m_sender.state() == QProcess::NotRunning || m_sender.waitForFinished(5000));
    QCOMPARE(m_sender.exitCode(), 0);
    QCOMPARE(m_sender.readAllStandardError(), QByteArray());
}

// The first datagrams against the time that `date` gives right after them,
// in a time zone 5:45 from UTC, so that a mix-up of local time and UTC
// cannot pass.
void TestSendSources::clockAgreesWithDate_data()
{
    QTest::addColumn<bool>("utc");
    QTest::newRow("local time") << false;
    QTest::newRow("UTC") << true;
}

void TestSendSources::clockAgreesWithDate()
{
    QFETCH(bool, utc);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), QStringLiteral("Asia/Kathmandu"));
    QStringList arguments{QStringLiteral("--source"), QStringLiteral("clock"),
                          QStringLiteral("--rate"),   QStringLiteral("50"),
                          QStringLiteral("--frames"), QStringLiteral("3")};
    if (utc)
        arguments << QStringLiteral("--utc");
    start(arguments, environment);
    const QList<Timecode> received = receive(3);

    QProcess date;
    date.setProcessEnvironment(environment);
    date.start(QStringLiteral("date"),
               utc ? QStringList{QStringLiteral("-u"), QStringLiteral("+%T.%N")}
                   : QStringList{QStringLiteral("+%T.%N")});
    QVERIFY(date.waitForFinished());
    const QTime now = QTime::fromString(QString::fromLatin1(date.readAllStandardOutput().left(12)),
                                        QStringLiteral("HH:mm:ss.zzz"));
    QVERIFY(now.isValid());

    // One datagram per frame, though a swamped machine may wake up too late
    // for one and then sends the frame of the moment.
    QCOMPARE(received.size(), 3);
    QCOMPARE(received[0].frameRate, 50);
    QVERIFY(received[1].frameCount > received[0].frameCount);
    QVERIFY(received[2].frameCount > received[1].frameCount);
    // The last datagram went out before `date` ran, and not long before.
    const int sentMs = received[2].frameCount * 20;
    const int dayMs = 24 * 3600 * 1000;
    const int behindMs = ((now.msecsSinceStartOfDay() - sentMs) % dayMs + dayMs) % dayMs;
    QVERIFY2(behindMs < 1000, qPrintable(QString::number(behindMs)));
}

// Bad input: a one-line message naming the culprit, exit status 2, nothing
// sent. Mistakes on the command line alone are tst_sendoptions' business.
void TestSendSources::badInput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");

    QTest::newRow("missing file") << QStringList{"--source", "ltc", "--input", "%1/none.wav"}
                                  << "none.wav";
    QTest::newRow("not audio") << QStringList{"--source", "ltc", "--input", "%1/text.wav"}
                               << "text.wav";
    QTest::newRow("no such channel")
        << QStringList{"--source", "ltc", "--input", "%1/mono.wav", "--channel", "2"}
        << "channel 2";
    QTest::newRow("Art-Net on an address not here")
        << QStringList{"--source", "artnet", "--listen", "192.0.2.1"} << "192.0.2.1";
}

void TestSendSources::badInput()
{
    QFETCH(QStringList, arguments);
    QFile text(m_dir.filePath(QStringLiteral("text.wav")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("RIFF? no, just text\n");
    text.close();
    QVERIFY(
        writeSoundFile(m_dir.filePath(QStringLiteral("mono.wav")), std::vector<float>(480), 48000));
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%1"), m_dir.path());

    start(arguments);
    QVERIFY(m_sender.waitForFinished(10000));
    QCOMPARE(m_sender.exitCode(), 2);
    QVERIFY(!m_receiver.waitForReadyRead(100));
    const QByteArray message = m_sender.readAllStandardError();
    QFETCH(QString, named);
    QVERIFY2(message.startsWith("quorvane-send: ") && message.contains(named.toUtf8()) &&
                 message.count('\n') == 1,
             message.constData());
}

// The target's network vanishes and comes back while the sender runs, in a
// network namespace of its own: one message with the system's reason, one
// when it works again, and the sender never stops.
void TestSendSources::sendErrorsDoNotEndTheSender()
{
    const QString script =
        QStringLiteral(
            "ip link set lo up && ip addr add 10.77.0.1/24 dev lo && exec '%1' --source clock "
            "--host 10.77.0.1 --port 9999")
            .arg(QStringLiteral(QUORVANE_SEND_PATH));
    m_sender.start(QStringLiteral("unshare"),
                   {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"), script});
    QVERIFY(m_sender.waitForStarted());
    if (m_sender.waitForFinished(500))
        QSKIP("cannot make a network namespace here (needs root or user namespaces)");

    auto inNamespace = [this](const QString &command) {
        return QProcess::execute(QStringLiteral("nsenter"),
                                 {QStringLiteral("-t"), QString::number(m_sender.processId()),
                                  QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"),
                                  command});
    };
    QByteArray errors;
    QCOMPARE(inNamespace(QStringLiteral("ip addr del 10.77.0.1/24 dev lo")), 0);
    QTRY_VERIFY_WITH_TIMEOUT((errors += m_sender.readAllStandardError()).contains("unreachable"),
                             5000);
    QTest::qWait(200); // many failed sends, still one message
    QCOMPARE(inNamespace(QStringLiteral("ip addr add 10.77.0.1/24 dev lo")), 0);
    QTRY_VERIFY_WITH_TIMEOUT((errors += m_sender.readAllStandardError()).contains("again"), 5000);

    QCOMPARE(m_sender.state(), QProcess::Running);
    m_sender.terminate();
    QVERIFY(m_sender.waitForFinished(5000));
    QCOMPARE(m_sender.exitCode(), 0);
    errors += m_sender.readAllStandardError();
    const QList<QByteArray> lines = errors.trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].contains("Network is unreachable"), lines[0].constData());
    QVERIFY2(lines[1].contains("again"), lines[1].constData());
}

QTEST_GUILESS_MAIN(TestSendSources)
#include "tst_sendsources.moc"

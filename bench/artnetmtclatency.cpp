// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Latency of quorvane-send's Art-Net and MTC sources: from a packet written
// to UDP 6454, or a MIDI message handed to JACK, to the datagram that
// quorvane-send makes of it arriving on loopback. Art-Net is set against a
// bare relay (recv one packet, send 28 bytes) on its own thread, MTC against
// the JACK period that carries the message.
//
//   quorvane-bench-artnet-mtc --sender PATH [--samples N]
//
// Takes port 6454 and starts a JACK server of its own: run it in a network
// namespace, e.g. unshare -n sh -c 'ip link set lo up && exec ...'.

#include "artnettimecode.h"
#include "dummyjack.h"
#include "mtcmessages.h"
#include "mtcwriter.h"
#include "timecodedatagram.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QProcess>
#include <QThread>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

namespace {

struct Figures
{
    double medianUs = 0;
    double p99Us = 0;
    std::size_t samples = 0;
};

Figures figures(std::vector<double> us)
{
    Figures f;
    if (us.empty())
        return f;
    std::sort(us.begin(), us.end());
    f.samples = us.size();
    f.medianUs = us[us.size() / 2];
    f.p99Us = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    return f;
}

void print(const char *what, const Figures &f)
{
    std::printf("%-34s median %8.1f us   p99 %8.1f us   (%zu samples)\n", what, f.medianUs, f.p99Us,
                f.samples);
}

QByteArray artTimeCode(int frame)
{
    QByteArray packet("Art-Net\0\0\x97\0\x0e\0\0", 14);
    for (int field : {frame % 25, frame / 25 % 60, frame / 1500 % 60, 1, 1})
        packet += char(field);
    return packet;
}

std::int32_t countOf(const QByteArray &datagram)
{
    TimecodeBuffer buffer{};
    std::copy_n(datagram.constData(), std::min<qsizetype>(28, datagram.size()), buffer.begin());
    return decodeTimecodeDatagram(buffer, datagram.size()).value_or(Timecode{}).frameCount;
}

// Sends each packet to the port and times its datagram on the display.
std::vector<double> timeArtNet(QUdpSocket &display, quint16 port, int samples)
{
    QUdpSocket console;
    console.setProxy(QNetworkProxy::NoProxy);
    console.bind(QHostAddress::LocalHost, 0);
    std::vector<double> us;
    for (int i = 0; i < samples; ++i) {
        const auto sent = Clock::now();
        console.writeDatagram(artTimeCode(i), QHostAddress::LocalHost, port);
        if (!display.waitForReadyRead(1000))
            continue;
        const auto arrived = Clock::now();
        display.receiveDatagram();
        us.push_back(std::chrono::duration<double, std::micro>(arrived - sent).count());
        QThread::usleep(2000);
    }
    return us;
}

// The least a forwarder can do: one recv, one send of 28 bytes.
class BareRelay : public QThread
{
public:
    BareRelay(quint16 target) : m_target(target)
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in any{};
        any.sin_family = AF_INET;
        any.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr *>(&any), sizeof any);
        socklen_t size = sizeof any;
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&any), &size);
        m_port = ntohs(any.sin_port);
    }
    ~BareRelay() override { ::close(m_fd); }
    quint16 port() const { return m_port; }

protected:
    void run() override
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(m_target);
        unsigned char packet[64];
        const TimecodeBuffer datagram = encodeTimecodeDatagram(Timecode{25, 0});
        while (::recv(m_fd, packet, sizeof packet, 0) > 0 && packet[0] == 'A')
            ::sendto(m_fd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr *>(&to),
                     sizeof to);
    }

private:
    int m_fd;
    quint16 m_port = 0;
    quint16 m_target;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype senderAt = args.indexOf(QStringLiteral("--sender"));
    const qsizetype samplesAt = args.indexOf(QStringLiteral("--samples"));
    if (senderAt < 0 || senderAt + 1 >= args.size()) {
        std::fprintf(stderr, "usage: %s --sender PATH [--samples N]\n", argv[0]);
        return 2;
    }
    const QString sender = args[senderAt + 1];
    const int samples = samplesAt >= 0 ? args.value(samplesAt + 1).toInt() : 1000;

    QUdpSocket display;
    display.setProxy(QNetworkProxy::NoProxy);
    display.bind(QHostAddress::LocalHost, 0);
    const QString displayPort = QString::number(display.localPort());

    // Art-Net through quorvane-send.
    QProcess artnet;
    artnet.setProcessChannelMode(QProcess::ForwardedChannels);
    artnet.start(sender, {QStringLiteral("--source"), QStringLiteral("artnet"),
                          QStringLiteral("--port"), displayPort});
    artnet.waitForStarted();
    timeArtNet(display, ArtNetPort, 20); // until it listens
    while (display.waitForReadyRead(100))
        display.receiveDatagram();
    const Figures artnetFigures = figures(timeArtNet(display, ArtNetPort, samples));
    artnet.terminate();
    artnet.waitForFinished();

    BareRelay relay(display.localPort());
    relay.start();
    const Figures relayFigures = figures(timeArtNet(display, relay.port(), samples));
    QUdpSocket(nullptr).writeDatagram("stop", QHostAddress::LocalHost, relay.port());
    relay.wait();

    print("Art-Net packet to datagram", artnetFigures);
    print("bare relay thread, same path", relayFigures);
    if (relayFigures.medianUs > 0)
        std::printf("  ratio to the bare relay: median %.1fx, p99 %.1fx\n",
                    artnetFigures.medianUs / relayFigures.medianUs,
                    artnetFigures.p99Us / relayFigures.p99Us);

    // MTC through a dummy JACK server: 480-frame periods at 48 kHz, 10 ms.
    const QByteArray server = "quorvane-bench-" + QByteArray::number(app.applicationPid());
    qputenv("JACK_DEFAULT_SERVER", server);
    QProcess jackd;
    jackd.setStandardOutputFile(QProcess::nullDevice());
    jackd.setStandardErrorFile(QProcess::nullDevice());
    MtcWriter writer;
    if (!startDummyJack(jackd, QString::fromUtf8(server), 480) || !writer.open("mtcbench", 10000)) {
        std::fprintf(stderr, "no JACK server (jackd, Debian package jackd2)\n");
        return 1;
    }
    QProcess mtc;
    mtc.setProcessChannelMode(QProcess::ForwardedChannels);
    mtc.start(sender,
              {QStringLiteral("--source"), QStringLiteral("mtc"), QStringLiteral("--input"),
               QStringLiteral("jack:") + writer.portName(), QStringLiteral("--port"), displayPort});
    for (int i = 0; i < 100 && !writer.connected(); ++i)
        QThread::msleep(50);

    // A full frame, then quarter-frames: the full frame gives count c0 at
    // once; set j (messages 1+8j to 8+8j) gives c0+2j+1 at its fourth piece
    // (from the second set on) and c0+2j+2 at its last.
    const int sets = std::max(2, samples / 2);
    const std::int32_t c0 = 90000;
    const QList<QByteArray> messages =
        mtc::messages(mtc::fullFrame(QStringLiteral("01:00:00:00"), 1) +
                      mtc::quarterFrames(QStringLiteral("01:00:00:00"), 1, sets));
    writer.play(messages);
    std::vector<double> mtcUs;
    while (display.waitForReadyRead(1000)) {
        const auto arrived = Clock::now();
        const int d = countOf(display.receiveDatagram().data()) - c0;
        const int message = d == 0       ? 0
                            : d % 2 == 0 ? 1 + 8 * ((d - 2) / 2) + 7
                                         : 1 + 8 * ((d - 1) / 2) + 3;
        if (d < 0 || message >= messages.size() || std::size_t(message) >= writer.played())
            continue;
        mtcUs.push_back(
            std::chrono::duration<double, std::micro>(arrived - writer.playedAt(message)).count());
    }
    mtc.terminate();
    mtc.waitForFinished();
    writer.close();
    jackd.terminate();
    jackd.waitForFinished();

    const Figures mtcFigures = figures(mtcUs);
    print("MTC message (JACK) to datagram", mtcFigures);
    std::printf("  as a share of the 10 ms JACK period: median %.1f%%, p99 %.1f%%\n",
                mtcFigures.medianUs / 100, mtcFigures.p99Us / 100);
    return artnetFigures.samples > 0 && mtcFigures.samples > 0 ? 0 : 1;
}

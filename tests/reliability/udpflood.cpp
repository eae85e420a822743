// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Floods the display's port on loopback with everything a hostile or broken
// network could deliver, as fast as the kernel takes it:
//   udpflood [--count N] [--port P] [--sockets K] [--seed S]
//   udpflood --single RATE COUNT [--port P]
// The flood cycles through four kinds of datagram: random junk of 0 to 64
// bytes, valid datagrams with 1 to 1400 bytes appended, valid datagrams with
// one bit flipped, and valid datagrams at every accepted rate. Each one leaves
// from one of K sockets, so the receiver sees many senders. --single sends one
// valid datagram from a fresh socket.

#include "timecodedatagram.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::array<std::int32_t, 7> Rates = {0, 24, 25, 30, 50, 60, 100};

int openSocket()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        std::perror("udpflood: socket");
        std::exit(1);
    }
    // A socket of its own source port; the kernel picks a free one.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
        std::perror("udpflood: bind");
        std::exit(1);
    }
    return fd;
}

// Sends one datagram; a full socket buffer is waited out, because the point
// is to deliver the whole flood, not to count what the kernel refused.
bool sendDatagram(int fd, const sockaddr_in &target, const unsigned char *data, std::size_t size)
{
    for (;;) {
        const ssize_t sent =
            ::sendto(fd, data, size, 0, reinterpret_cast<const sockaddr *>(&target), sizeof target);
        if (sent == static_cast<ssize_t>(size))
            return true;
        if (sent < 0 && (errno == EAGAIN || errno == ENOBUFS || errno == EINTR))
            continue;
        std::perror("udpflood: sendto");
        return false;
    }
}

class Flood
{
public:
    explicit Flood(unsigned seed) : random(seed) {}

    std::vector<unsigned char> next(int kind)
    {
        switch (kind) {
        case 0: // junk
            return bytes(pick(0, 64));
        case 1: { // a valid datagram with trailing bytes
            std::vector<unsigned char> datagram = valid();
            const std::vector<unsigned char> tail = bytes(pick(1, 1400));
            datagram.insert(datagram.end(), tail.begin(), tail.end());
            return datagram;
        }
        case 2: { // one bit flipped
            std::vector<unsigned char> datagram = valid();
            const std::size_t bit = pick(0, TimecodeDatagramSize * 8 - 1);
            datagram[bit / 8] ^= static_cast<unsigned char>(1u << (bit % 8));
            return datagram;
        }
        default: // valid, the rates taken in turn
            return valid(Rates[rateTurn++ % Rates.size()]);
        }
    }

private:
    std::size_t pick(std::size_t low, std::size_t high)
    {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    }

    std::vector<unsigned char> bytes(std::size_t size)
    {
        std::vector<unsigned char> data(size);
        for (unsigned char &byte : data)
            byte = static_cast<unsigned char>(pick(0, 255));
        return data;
    }

    std::vector<unsigned char> valid(std::int32_t rate)
    {
        // One in ten says "no timecode"; the rest are anywhere in range.
        const std::int32_t count =
            pick(0, 9) == 0 ? NoTimecode
                            : static_cast<std::int32_t>(pick(0, frameCountLimit(rate) - 1));
        const Timecode timecode{rate, count};
        const TimecodeBuffer buffer =
            encodeTimecodeDatagram(timecode, static_cast<std::uint32_t>(pick(0, 0xffffffffu)),
                                   static_cast<std::uint32_t>(pick(0, 1)));
        return {buffer.begin(), buffer.end()};
    }

    std::vector<unsigned char> valid() { return valid(Rates[pick(0, Rates.size() - 1)]); }

    std::mt19937 random;
    std::size_t rateTurn = 0;
};

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: udpflood [--count N] [--port P] [--sockets K] [--seed S]\n"
                         "       udpflood --single RATE COUNT [--port P]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    long count = 100000;
    long sockets = 64;
    unsigned long seed = 1;
    int port = 8201;
    bool single = false;
    Timecode singleTimecode;

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&]() -> long {
            if (i + 1 >= argc)
                usage();
            return std::strtol(argv[++i], nullptr, 10);
        };
        if (option == "--count")
            count = value();
        else if (option == "--port")
            port = static_cast<int>(value());
        else if (option == "--sockets")
            sockets = value();
        else if (option == "--seed")
            seed = static_cast<unsigned long>(value());
        else if (option == "--single") {
            single = true;
            singleTimecode.frameRate = static_cast<std::int32_t>(value());
            singleTimecode.frameCount = static_cast<std::int32_t>(value());
        } else
            usage();
    }
    if (count < 0 || sockets < 1 || port < 1 || port > 65535)
        usage();

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<std::uint16_t>(port));
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

    if (single) {
        const int fd = openSocket();
        const TimecodeBuffer buffer = encodeTimecodeDatagram(singleTimecode);
        const bool sent = sendDatagram(fd, target, buffer.data(), buffer.size());
        ::close(fd);
        return sent ? 0 : 1;
    }

    std::vector<int> fds;
    for (long i = 0; i < sockets; ++i)
        fds.push_back(openSocket());

    Flood flood(static_cast<unsigned>(seed));
    std::array<long, 4> sentOfKind{};
    long sent = 0;
    const auto started = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        const int kind = static_cast<int>(i % 4);
        const std::vector<unsigned char> datagram = flood.next(kind);
        if (!sendDatagram(fds[static_cast<std::size_t>(i % sockets)], target, datagram.data(),
                          datagram.size()))
            break;
        ++sentOfKind[static_cast<std::size_t>(kind)];
        ++sent;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    for (int fd : fds)
        ::close(fd);

    std::printf("udpflood: sent %ld datagrams from %ld ports in %.2f s: %ld junk, %ld with "
                "trailing bytes, %ld with a flipped bit, %ld valid\n",
                sent, sockets, elapsed.count(), sentOfKind[0], sentOfKind[1], sentOfKind[2],
                sentOfKind[3]);
    return sent == count ? 0 : 1;
}

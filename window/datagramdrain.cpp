// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "datagramdrain.h"

#include <QUdpSocket>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

namespace {

// One read through Qt, which also tells the socket that its queue has been
// looked at, so that it signals the next datagram. True if it read one.
bool readThroughQt(QUdpSocket &socket, std::optional<ReceivedTimecode> &newest)
{
    TimecodeBuffer buffer;
    QHostAddress address;
    quint16 port = 0;
    const qint64 bytesRead = socket.readDatagram(reinterpret_cast<char *>(buffer.data()),
                                                 qint64(buffer.size()), &address, &port);
    if (bytesRead < 0)
        return false;
    if (const std::optional<Timecode> decoded = decodeTimecodeDatagram(buffer, bytesRead))
        newest = ReceivedTimecode{*decoded, address, port};
    return true;
}

#ifdef Q_OS_UNIX
// Reads straight from the descriptor until the queue is empty. Qt's read
// costs a good deal more per datagram than the system call, and the sender's
// address is wanted only for the newest valid datagram; a backlog of a
// thousand then costs little more than the bare system calls. Returns how
// many it read.
int readDirectly(qintptr descriptor, std::optional<ReceivedTimecode> &newest, int mostReads)
{
    TimecodeBuffer buffer;
    // Two places for the source address, taken in turn: the one of the
    // newest valid datagram stays put while the next reads go to the other,
    // so no address is copied per datagram.
    sockaddr_storage from[2]{};
    int next = 0;
    int newestValid = -1;
    std::optional<Timecode> newestTimecode;
    int reads = 0;
    while (reads < mostReads) {
        socklen_t length = sizeof from[next];
        const ssize_t bytesRead =
            ::recvfrom(int(descriptor), buffer.data(), buffer.size(), MSG_DONTWAIT,
                       reinterpret_cast<sockaddr *>(&from[next]), &length);
        if (bytesRead < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        ++reads;
        if (const std::optional<Timecode> decoded = decodeTimecodeDatagram(buffer, bytesRead)) {
            newestTimecode = decoded;
            newestValid = next;
            next ^= 1;
        }
    }
    if (newestValid < 0)
        return reads;
    const sockaddr_storage &source = from[newestValid];
    quint16 port = 0;
    if (source.ss_family == AF_INET)
        port = ntohs(reinterpret_cast<const sockaddr_in *>(&source)->sin_port);
    else if (source.ss_family == AF_INET6)
        port = ntohs(reinterpret_cast<const sockaddr_in6 *>(&source)->sin6_port);
    newest = ReceivedTimecode{*newestTimecode,
                              QHostAddress(reinterpret_cast<const sockaddr *>(&source)), port};
    return reads;
}
#endif

} // namespace

std::optional<ReceivedTimecode> drainNewestValid(QUdpSocket &socket, int mostReads)
{
    std::optional<ReceivedTimecode> newest;
    // Read until a read fails rather than asking after each read whether
    // more is pending: that would be a second system call per datagram. The
    // last read goes through Qt, which re-arms the socket's notification, and
    // whatever it still finds is newer than anything before it.
    int budget = qMax(mostReads, 1);
    do {
#ifdef Q_OS_UNIX
        if (socket.socketDescriptor() >= 0)
            budget -= readDirectly(socket.socketDescriptor(), newest, budget - 1);
#endif
    } while (readThroughQt(socket, newest) && --budget > 0);
    return newest;
}

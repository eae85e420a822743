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
bool readThroughQt(QUdpSocket &socket, NewestDatagram &newest)
{
    TimecodeBuffer buffer;
    QHostAddress address;
    quint16 port = 0;
    const qint64 bytesRead = socket.readDatagram(reinterpret_cast<char *>(buffer.data()),
                                                 qint64(buffer.size()), &address, &port);
    if (bytesRead < 0) {
        if (newest.bytesRead < 0)
            newest.bytesRead = bytesRead;
        return false;
    }
    newest = NewestDatagram{buffer, bytesRead, address, port};
    return true;
}

#ifdef Q_OS_UNIX
// Reads straight from the descriptor until the queue is empty. Qt's read
// costs a good deal more per datagram than the system call, and the sender's
// address is wanted only for the newest datagram; a backlog of a thousand
// then costs little more than the bare system calls. Returns how many it read.
int readDirectly(qintptr descriptor, NewestDatagram &newest, int mostReads)
{
    TimecodeBuffer buffer;
    sockaddr_storage from{};
    sockaddr_storage newestFrom{};
    int reads = 0;
    while (reads < mostReads) {
        socklen_t length = sizeof from;
        const ssize_t bytesRead =
            ::recvfrom(int(descriptor), buffer.data(), buffer.size(), MSG_DONTWAIT,
                       reinterpret_cast<sockaddr *>(&from), &length);
        if (bytesRead < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        newest.buffer = buffer;
        newest.bytesRead = bytesRead;
        newestFrom = from;
        ++reads;
    }
    if (reads == 0)
        return 0;
    newest.address = QHostAddress(reinterpret_cast<const sockaddr *>(&newestFrom));
    if (newestFrom.ss_family == AF_INET)
        newest.port = ntohs(reinterpret_cast<const sockaddr_in *>(&newestFrom)->sin_port);
    else if (newestFrom.ss_family == AF_INET6)
        newest.port = ntohs(reinterpret_cast<const sockaddr_in6 *>(&newestFrom)->sin6_port);
    return reads;
}
#endif

} // namespace

NewestDatagram drainNewest(QUdpSocket &socket, int mostReads)
{
    NewestDatagram newest;
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

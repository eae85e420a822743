// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef LOOPBACK_H
#define LOOPBACK_H

#include "timecodedatagram.h"

#include <cstdint>

// Plain non-blocking UDP sockets on 127.0.0.1, below Qt, for feeding the
// window and for the raw receive loop it is measured against.
class LoopbackSocket
{
public:
    // Bound to 127.0.0.1 on an ephemeral port.
    LoopbackSocket();
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket &) = delete;
    LoopbackSocket &operator=(const LoopbackSocket &) = delete;

    int descriptor() const { return fd; }
    std::uint16_t port() const;

    bool send(const TimecodeBuffer &datagram, std::uint16_t toPort) const;
    // Reads until the queue is empty, as a program that cared only for speed
    // would; returns how many datagrams it read.
    int drain() const;

private:
    int fd = -1;
};

// Makes room for a backlog of about a thousand datagrams in a socket's
// receive queue; the kernel's default holds a few hundred.
void enlargeReceiveBuffer(int fd);

// The descriptor of this process's UDP socket bound to the port, or -1.
int findBoundUdpSocket(std::uint16_t port);

// Datagrams waiting in a socket's queue (by peeking, so it changes nothing).
bool hasPending(int fd);

// Bytes that the socket's receive queue holds, by the kernel's count.
std::uint32_t queuedBytes(int fd);

// Waits until the receive queue holds the given number of bytes: loopback
// delivery may lag behind sendto on a busy machine. False after a second.
bool awaitQueuedBytes(int fd, std::uint32_t bytes);

#endif // LOOPBACK_H

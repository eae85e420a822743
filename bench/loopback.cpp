// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "loopback.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

LoopbackSocket::LoopbackSocket()
{
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        std::abort();
}

LoopbackSocket::~LoopbackSocket()
{
    ::close(fd);
}

std::uint16_t LoopbackSocket::port() const
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    return ntohs(address.sin_port);
}

bool LoopbackSocket::send(const TimecodeBuffer &datagram, std::uint16_t toPort) const
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(toPort);
    return ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr *>(&to),
                    sizeof to) == ssize_t(datagram.size());
}

int LoopbackSocket::drain() const
{
    TimecodeBuffer buffer;
    sockaddr_in from{};
    int count = 0;
    for (;;) {
        socklen_t length = sizeof from;
        if (::recvfrom(fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr *>(&from),
                       &length) < 0)
            return count;
        ++count;
    }
}

void enlargeReceiveBuffer(int fd)
{
    const int bytes = 4 << 20;
    // Beyond net.core.rmem_max only a privileged process may go.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

int findBoundUdpSocket(std::uint16_t port)
{
    DIR *fds = ::opendir("/proc/self/fd");
    if (!fds)
        return -1;
    int found = -1;
    while (const dirent *entry = ::readdir(fds)) {
        const int fd = std::atoi(entry->d_name);
        int type = 0;
        socklen_t typeLength = sizeof type;
        sockaddr_in address{};
        socklen_t length = sizeof address;
        if (fd > 2 && ::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &typeLength) == 0 &&
            type == SOCK_DGRAM &&
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0 &&
            address.sin_family == AF_INET && ntohs(address.sin_port) == port) {
            found = fd;
            break;
        }
    }
    ::closedir(fds);
    return found;
}

bool hasPending(int fd)
{
    char byte;
    return ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) >= 0;
}

std::uint32_t queuedBytes(int fd)
{
    std::uint32_t info[SK_MEMINFO_VARS] = {};
    socklen_t length = sizeof info;
    if (::getsockopt(fd, SOL_SOCKET, SO_MEMINFO, info, &length) != 0)
        return 0;
    return info[SK_MEMINFO_RMEM_ALLOC];
}

bool awaitQueuedBytes(int fd, std::uint32_t bytes)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (queuedBytes(fd) < bytes) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

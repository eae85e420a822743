// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Stands where a proxy would be, to show that no one comes: listens on
// COUNT TCP ports of 127.0.0.1 that the system picks.
//   tcpwatch COUNT
// Prints the ports on one line, then one line per connection with the port
// and the first bytes the peer sent, in hex; runs until it is killed.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

int listenOnLoopback(unsigned short &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return -1;
    port = ntohs(address.sin_port);
    return fd;
}

// Waits a moment for the peer's first words (a SOCKS greeting, an HTTP
// request) and reports them with the connection.
void report(int listener, unsigned short port)
{
    const int peer = ::accept(listener, nullptr, nullptr);
    if (peer < 0)
        return;
    unsigned char bytes[32];
    pollfd readable{peer, POLLIN, 0};
    const ssize_t n = ::poll(&readable, 1, 500) > 0 ? ::recv(peer, bytes, sizeof bytes, 0) : 0;
    std::printf("%u connected:", port);
    for (ssize_t i = 0; i < n; ++i)
        std::printf(" %02x", bytes[i]);
    std::printf("\n");
    std::fflush(stdout);
    ::close(peer);
}

} // namespace

int main(int argc, char *argv[])
{
    const int count = argc == 2 ? std::atoi(argv[1]) : 0;
    if (count < 1) {
        std::fprintf(stderr, "usage: tcpwatch COUNT\n");
        return 2;
    }
    std::vector<pollfd> listeners;
    std::vector<unsigned short> ports;
    for (int i = 0; i < count; ++i) {
        unsigned short port = 0;
        const int fd = listenOnLoopback(port);
        if (fd < 0) {
            std::perror("tcpwatch");
            return 1;
        }
        listeners.push_back(pollfd{fd, POLLIN, 0});
        ports.push_back(port);
        std::printf(i ? " %u" : "%u", port);
    }
    std::printf("\n");
    std::fflush(stdout);
    for (;;) {
        if (::poll(listeners.data(), listeners.size(), -1) < 0)
            continue;
        for (std::size_t i = 0; i < listeners.size(); ++i) {
            if (listeners[i].revents & POLLIN)
                report(listeners[i].fd, ports[i]);
        }
    }
}

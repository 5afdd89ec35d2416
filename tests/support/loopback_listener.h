#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace syncward::testing {

// A TCP socket listening on 127.0.0.1, on a port the system hands out.
struct LoopbackListener {
    int fd = -1;
    int port = 0;  // 0 when it could not be set up
};

inline LoopbackListener listenOnLoopback() {
    LoopbackListener listener;
    listener.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener.fd, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(listener.fd, 4) == 0 &&
        ::getsockname(listener.fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        listener.port = ntohs(address.sin_port);
    return listener;
}

}  // namespace syncward::testing

#pragma once
// A socket on this machine that takes connections (the kernel completes them) and never says a
// word: a database server that accepts and then does not answer.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace test_support {

class SilentListener {
  public:
    SilentListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* named = reinterpret_cast<sockaddr*>(&address);
        if (::bind(socket_, named, size) != 0 || ::listen(socket_, 8) != 0 ||
            ::getsockname(socket_, named, &size) != 0) {
            ADD_FAILURE() << "no listening socket";
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(socket_); }
    int Port() const { return port_; }

  private:
    int socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
};

}  // namespace test_support

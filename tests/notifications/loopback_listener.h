// A listening TCP socket on 127.0.0.1 (any free port): the test's end of a connection.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace notifications_test {

// A listening socket on the loopback interface; the test's end of each connection.
class Listener {
 public:
  // `listening` false leaves the port bound but not listening: connecting to it is refused.
  explicit Listener(bool listening = true) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    if (listening) listen(socket_, 4);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    if (peer_ != INVALID_SOCKET) closesocket(peer_);
    closesocket(socket_);
    WSACleanup();
  }
  USHORT port() const { return port_; }
  bool Accept() {
    peer_ = accept(socket_, nullptr, nullptr);
    return peer_ != INVALID_SOCKET;
  }
  // Accept, waiting at most `timeout_ms` for the connection.
  bool Accept(DWORD timeout_ms) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval timeout = {static_cast<long>(timeout_ms / 1000),
                       static_cast<long>(timeout_ms % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &timeout) == 1 && Accept();
  }
  // Closes the test's end of the accepted connection.
  void ClosePeer() {
    closesocket(peer_);
    peer_ = INVALID_SOCKET;
  }
  // Receives whatever arrives within `timeout_ms` until `count` bytes are in.
  std::string Receive(size_t count, DWORD timeout_ms) {
    DWORD timeout = timeout_ms;
    setsockopt(peer_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof(timeout));
    std::string data;
    char buffer[4096];
    while (data.size() < count) {
      int received = recv(peer_, buffer, sizeof(buffer), 0);
      if (received <= 0) break;
      data.append(buffer, received);
    }
    return data;
  }
  bool Send(const std::string& data) {
    return send(peer_, data.data(), static_cast<int>(data.size()), 0) ==
           static_cast<int>(data.size());
  }

 private:
  SOCKET socket_ = INVALID_SOCKET;
  SOCKET peer_ = INVALID_SOCKET;
  USHORT port_ = 0;
};

}  // namespace notifications_test

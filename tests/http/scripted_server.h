// The test's end of an HTTP exchange: a listening socket on 127.0.0.1 (any free port) whose
// one accepted connection the test drives byte by byte. Every wait is bounded.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace http_test {

class ScriptedServer {
 public:
  // `listening` false leaves the port bound but not listening: connecting is refused.
  explicit ScriptedServer(bool listening = true) {
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
  ~ScriptedServer() {
    ClosePeer();
    closesocket(socket_);
    WSACleanup();
  }
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  USHORT port() const { return port_; }

  // Takes the next connection, waiting at most `timeout_ms`.
  bool Accept(DWORD timeout_ms) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval timeout = {static_cast<long>(timeout_ms / 1000),
                       static_cast<long>(timeout_ms % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &timeout) != 1) return false;
    peer_ = accept(socket_, nullptr, nullptr);
    return peer_ != INVALID_SOCKET;
  }
  void ClosePeer() {
    if (peer_ != INVALID_SOCKET) closesocket(peer_);
    peer_ = INVALID_SOCKET;
  }
  // What arrives within `timeout_ms` per receive, until `count` bytes are in.
  std::string Receive(size_t count, DWORD timeout_ms) {
    DWORD timeout = timeout_ms;
    setsockopt(peer_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof(timeout));
    std::string data;
    char buffer[4096];
    while (data.size() < count) {
      int wanted = static_cast<int>(count - data.size() < sizeof(buffer) ? count - data.size()
                                                                           : sizeof(buffer));
      int received = recv(peer_, buffer, wanted, 0);
      if (received <= 0) break;
      data.append(buffer, received);
    }
    return data;
  }
  bool Send(const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
      int result = send(peer_, data.data() + sent, static_cast<int>(data.size() - sent), 0);
      if (result <= 0) return false;
      sent += static_cast<size_t>(result);
    }
    return true;
  }

 private:
  SOCKET socket_ = INVALID_SOCKET;
  SOCKET peer_ = INVALID_SOCKET;
  USHORT port_ = 0;
};

}  // namespace http_test

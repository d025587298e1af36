// A small HTTP server on 127.0.0.1 for the fetching tests and the demo checks: it records
// every request it receives and answers each path from a script, including the ways a
// broken or hostile server behaves (no answer, a close in the middle of the body).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace fetching_test {

struct Reply {
  enum Kind {
    kSend,          // send `bytes`, then keep the connection until the client closes it
    kSendAndClose,  // send `bytes`, then close
    kHang,          // accept, read the request, never answer
  };
  Kind kind = kSend;
  std::string bytes;

  // A 200 response with a correct Content-Length.
  static Reply Ok(const std::string& body);
  // Any raw bytes, sent as they are.
  static Reply Raw(const std::string& bytes, Kind kind = kSend);
  static Reply Hang();
};

class ScriptedServer {
 public:
  ScriptedServer();
  ~ScriptedServer();  // closes every connection and waits for its threads
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  USHORT port() const { return port_; }

  // Replies for `path`, used in order; the last one is used again for later requests. A
  // path without a script gets a 404 with an empty body.
  void Script(const std::string& path, std::vector<Reply> replies);

  // The request texts received so far (up to and including "\r\n\r\n"), in order.
  std::vector<std::string> Requests();
  size_t RequestCount();
  // The path of each request, in order.
  std::vector<std::string> Paths();
  // Connections accepted so far.
  size_t Connections();

 private:
  struct Connection {
    ScriptedServer* server;
    SOCKET socket;
    HANDLE thread;
  };
  static DWORD WINAPI AcceptMain(void* server);
  static DWORD WINAPI ServeMain(void* connection);
  void AcceptLoop();
  void Serve(SOCKET peer);
  Reply NextReply(const std::string& path);

  SOCKET listener_ = INVALID_SOCKET;
  USHORT port_ = 0;
  HANDLE accept_thread_ = nullptr;
  HANDLE stop_event_ = nullptr;
  CRITICAL_SECTION lock_;
  std::vector<Connection*> connections_;
  std::map<std::string, std::deque<Reply>> script_;
  std::vector<std::string> requests_;
};

// The path in the request line of `request` ("GET <path> HTTP/1.1").
std::string RequestPath(const std::string& request);

}  // namespace fetching_test

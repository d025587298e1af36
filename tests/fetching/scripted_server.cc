#include "scripted_server.h"

namespace fetching_test {
namespace {

constexpr size_t kMaxRequestBytes = 65536;

class Hold {
 public:
  explicit Hold(CRITICAL_SECTION* lock) : lock_(lock) { EnterCriticalSection(lock_); }
  ~Hold() { LeaveCriticalSection(lock_); }

 private:
  CRITICAL_SECTION* lock_;
};

}  // namespace

Reply Reply::Ok(const std::string& body) {
  return Raw("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
             std::to_string(body.size()) + "\r\n\r\n" + body);
}

Reply Reply::Raw(const std::string& bytes, Kind kind) {
  Reply reply;
  reply.kind = kind;
  reply.bytes = bytes;
  return reply;
}

Reply Reply::Hang() {
  Reply reply;
  reply.kind = kHang;
  return reply;
}

std::string RequestPath(const std::string& request) {
  size_t start = request.find(' ');
  if (start == std::string::npos) return std::string();
  size_t end = request.find(" HTTP/1.1\r\n", start + 1);
  if (end == std::string::npos) return std::string();
  return request.substr(start + 1, end - start - 1);
}

ScriptedServer::ScriptedServer() {
  InitializeCriticalSection(&lock_);
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  stop_event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof(address);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  listen(listener_, 16);
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  accept_thread_ = CreateThread(nullptr, 0, &ScriptedServer::AcceptMain, this, 0, nullptr);
}

ScriptedServer::~ScriptedServer() {
  SetEvent(stop_event_);
  closesocket(listener_);  // ends the accept loop
  WaitForSingleObject(accept_thread_, INFINITE);
  CloseHandle(accept_thread_);
  std::vector<Connection*> connections;
  {
    Hold hold(&lock_);
    connections.swap(connections_);
  }
  for (Connection* connection : connections) {
    shutdown(connection->socket, SD_BOTH);  // wakes a thread waiting in recv
    WaitForSingleObject(connection->thread, INFINITE);
    CloseHandle(connection->thread);
    closesocket(connection->socket);
    delete connection;
  }
  CloseHandle(stop_event_);
  WSACleanup();
  DeleteCriticalSection(&lock_);
}

void ScriptedServer::Script(const std::string& path, std::vector<Reply> replies) {
  Hold hold(&lock_);
  script_[path] = std::deque<Reply>(replies.begin(), replies.end());
}

std::vector<std::string> ScriptedServer::Requests() {
  Hold hold(&lock_);
  return requests_;
}

size_t ScriptedServer::RequestCount() {
  Hold hold(&lock_);
  return requests_.size();
}

std::vector<std::string> ScriptedServer::Paths() {
  std::vector<std::string> paths;
  for (const std::string& request : Requests()) paths.push_back(RequestPath(request));
  return paths;
}

size_t ScriptedServer::Connections() {
  Hold hold(&lock_);
  return connections_.size();
}

DWORD WINAPI ScriptedServer::AcceptMain(void* server) {
  static_cast<ScriptedServer*>(server)->AcceptLoop();
  return 0;
}

DWORD WINAPI ScriptedServer::ServeMain(void* connection) {
  auto* served = static_cast<Connection*>(connection);
  served->server->Serve(served->socket);
  return 0;
}

void ScriptedServer::AcceptLoop() {
  for (;;) {
    SOCKET peer = accept(listener_, nullptr, nullptr);
    if (peer == INVALID_SOCKET) return;
    Hold hold(&lock_);
    if (WaitForSingleObject(stop_event_, 0) == WAIT_OBJECT_0) {
      closesocket(peer);
      return;
    }
    auto* connection = new Connection{this, peer, nullptr};
    connection->thread = CreateThread(nullptr, 0, &ScriptedServer::ServeMain, connection,
                                      CREATE_SUSPENDED, nullptr);
    connections_.push_back(connection);
    ResumeThread(connection->thread);
  }
}

Reply ScriptedServer::NextReply(const std::string& path) {
  Hold hold(&lock_);
  auto found = script_.find(path);
  if (found == script_.end() || found->second.empty())
    return Reply::Raw("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
  Reply reply = found->second.front();
  if (found->second.size() > 1) found->second.pop_front();
  return reply;
}

void ScriptedServer::Serve(SOCKET peer) {
  // One request after another on the connection, until the client closes it.
  std::string received;
  char buffer[4096];
  for (;;) {
    size_t end;
    while ((end = received.find("\r\n\r\n")) == std::string::npos) {
      int count = recv(peer, buffer, sizeof(buffer), 0);
      if (count <= 0 || received.size() > kMaxRequestBytes) return;
      received.append(buffer, count);
    }
    std::string request = received.substr(0, end + 4);
    received.erase(0, end + 4);
    {
      Hold hold(&lock_);
      requests_.push_back(request);
    }
    Reply reply = NextReply(RequestPath(request));
    if (reply.kind == Reply::kHang) {
      while (recv(peer, buffer, sizeof(buffer), 0) > 0) {
      }
      return;
    }
    send(peer, reply.bytes.data(), static_cast<int>(reply.bytes.size()), 0);
    if (reply.kind == Reply::kSendAndClose) {
      shutdown(peer, SD_SEND);
      return;
    }
  }
}

}  // namespace fetching_test

// cmd_fetch_handler: what the two fetching commands share on top of the HTTP exchange:
// one request at a time, a 10000 ms limit on each exchange, the event counts of replies,
// failures and timeouts, and a new connection for every exchange.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/http/cmd_http_data_handler.h"
#include "notifications/setting.h"

namespace notifications {

class cmd_fetch_handler : public cmd_http_data_handler {
 public:
  // Event codes counted for a reply body, a failed exchange and an exchange that ran out
  // of time (the last one is also the code handed to on_done then).
  struct event_codes {
    int reply;
    int failed;
    int timeout;
  };

  static constexpr DWORD kRequestTimeout = 10000;

  ~cmd_fetch_handler() override;

  void on_timer(DWORD id) override;
  void on_done(DWORD code, DWORD detail) override;
  void on_response(const char* data, DWORD length) override;

  bool busy() const { return busy_; }

 protected:
  cmd_fetch_handler(const server_address& server, const event_codes& events);

  // Sends a GET request for `path` unless a request is in flight; false when ignored.
  bool start_fetch(const std::string& path);

  // The exchange failed or timed out; the connection is closed already.
  virtual void on_failed() = 0;
  // A reply body arrived; the connection is closed already.
  virtual void on_reply(const std::string& body) = 0;

 private:
  bool busy_ = false;
  event_codes events_;
};

}  // namespace notifications

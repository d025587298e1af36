#include "notifications/cmd_fetch_handler.h"

#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/event_counters.h"
#include "notifications/http/http_header_wrapper.h"
#include "notifications/message_dispatcher.h"

namespace notifications {

cmd_fetch_handler::cmd_fetch_handler(const server_address& server, const event_codes& events)
    : events_(events) {
  set_server(server.host, server.port);
}

cmd_fetch_handler::~cmd_fetch_handler() = default;

bool cmd_fetch_handler::start_fetch(const std::string& path) {
  if (busy_) return false;
  http_header_wrapper request;
  request.set_server(server_host(), server_port());
  post_request(request.get_request(path));
  busy_ = true;
  asyn_io_frame::instance()->set_timer(this, kRequestTimeout,
                                       CMessageDispatcher::TIMER_REQUEST_TIMEOUT, false);
  return true;
}

void cmd_fetch_handler::on_timer(DWORD id) {
  if (id != CMessageDispatcher::TIMER_REQUEST_TIMEOUT) return;
  busy_ = false;
  count_event(events_.timeout);
  release_send_operation();
  on_done(events_.timeout, 0);
}

void cmd_fetch_handler::on_done(DWORD code, DWORD) {
  asyn_io_frame::instance()->kill_timer(this, CMessageDispatcher::TIMER_REQUEST_TIMEOUT);
  close();
  if (code != static_cast<DWORD>(events_.timeout)) count_event(events_.failed);
  busy_ = false;
  on_failed();
}

void cmd_fetch_handler::on_response(const char* data, DWORD length) {
  asyn_io_frame::instance()->kill_timer(this, CMessageDispatcher::TIMER_REQUEST_TIMEOUT);
  count_event(events_.reply);
  busy_ = false;
  // The body lives in the receive buffer, which close() deletes.
  std::string body(data, length);
  close();
  on_reply(body);
}

}  // namespace notifications

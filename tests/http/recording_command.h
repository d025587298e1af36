// An HTTP command for the tests: it records how each exchange ended, closes the connection
// afterwards as the fetching commands do, and counts the bytes its reads brought in.
#pragma once

#include <string>

#include "notifications/asyn_io_frame/asyn_io_operation.h"
#include "notifications/http/cmd_http_data_handler.h"

namespace http_test {

class RecordingCommand : public notifications::cmd_http_data_handler {
 public:
  void on_done(DWORD code, DWORD detail) override {
    End("done " + std::to_string(code) + " " + std::to_string(detail));
  }
  void on_response(const char* data, DWORD length) override {
    body.assign(data, length);
    End("response " + std::to_string(length));
  }
  void on_io_complete(notifications::asyn_io_operation* operation) override {
    DWORD bytes = 0, error = 0;
    operation->get_result(&bytes, &error);
    if (operation->kind() == notifications::asyn_io_operation::kind_read) bytes_read += bytes;
    cmd_http_data_handler::on_io_complete(operation);
  }

  bool prepare_send(notifications::asyn_io_operation*& send_operation, DWORD& send_size) override {
    return !refuse_send && cmd_http_data_handler::prepare_send(send_operation, send_size);
  }

  bool finished() const { return endings > 0; }

  std::string outcome;  // "done <code> <detail>" or "response <length>"
  std::string body;
  int endings = 0;
  bool idle_at_end = false;
  size_t bytes_read = 0;
  bool keep_connection = false;
  bool refuse_send = false;

 private:
  void End(const std::string& how) {
    outcome = how;
    idle_at_end = status() == status_idle;
    ++endings;
    if (!keep_connection) close();
  }
};

}  // namespace http_test

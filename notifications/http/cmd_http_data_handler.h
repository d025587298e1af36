// cmd_http_data_handler: one HTTP exchange at a time over the host's sockets. It connects,
// writes the request text, reads the response header into one buffer and then exactly
// Content-Length bytes of body, and hands the body to the derived command. Every failure
// ends the exchange with one on_done call carrying a result code; the connection stays
// open until the derived command calls close.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "notifications/asyn_io_frame/asyn_io_handler.h"

namespace notifications {

class asyn_io_operation;
class asyn_socket_device;
class upload_speed_limit_adapter;

class cmd_http_data_handler : public asyn_io_handler {
 public:
  enum status_t : DWORD {
    status_idle = 0,
    status_connecting = 1,
    status_sending = 2,
    status_receiving = 3,
  };

  // Codes handed to on_done.
  enum result_t : DWORD {
    result_connect_failed = 101,  // detail: host error, or kDetailStartFailed
    result_send_failed = 102,     // detail: host error, or kDetailStartFailed
    result_receive_failed = 103,  // detail: host error (0: the peer closed), or kDetailStartFailed
    result_bad_header = 104,      // detail 0
    result_no_operation = 255,    // detail 0: no operation or buffer, refused or too long a request
  };
  // The detail when starting the connect, a write or a read threw.
  static constexpr DWORD kDetailStartFailed = 0xFFFFFFFF;

  // The response header is read into a buffer of this size (one byte for a terminating 0).
  static constexpr DWORD kHeaderBufferSize = 8193;
  // The request text travels in one buffer whose size is a 16-bit number.
  static constexpr size_t kMaxRequestTextSize = 65535;
  // Passed to the socket's Connect.
  static constexpr DWORD kConnectTimeout = 50;

  cmd_http_data_handler();
  ~cmd_http_data_handler() override;

  void on_timer(DWORD id) override {}
  void on_io_complete(asyn_io_operation* operation) override;
  // Deletes both operations, closes and destroys the connection, and goes idle.
  void close() override;
  // Called before the request text is written; false ends the exchange with 255.
  virtual bool prepare_send(asyn_io_operation*& send_operation, DWORD& send_size);
  // Exactly one of these ends every exchange, called in status_idle.
  virtual void on_done(DWORD code, DWORD detail) = 0;
  virtual void on_response(const char* data, DWORD length) = 0;

  // Starts one exchange; only in status_idle. Connects first when there is no connection.
  void post_request(const std::string& request_text);
  // Deletes the send operation, if any, and goes idle (for a command's own timeout).
  void release_send_operation();

  void set_server(const std::string& host, USHORT port) {
    _server_host = host;
    _server_port = port;
  }
  const std::string& server_host() const { return _server_host; }
  USHORT server_port() const { return _server_port; }
  status_t status() const { return _status; }
  bool connected() const { return _device != nullptr; }

 private:
  void connect();
  void send();
  void start_receiving();
  // The receive operation completed its read of `bytes`.
  void parse_response(DWORD bytes);
  void receive_body(const char* received, DWORD received_size, DWORD content_length);
  // A single read (whatever arrives, at most `count`) or the start of an exact read of
  // exactly `count` bytes, into the receive operation at `offset`.
  void read(DWORD count, DWORD offset, bool exact);
  // Continues a write or an exact read with what the completion moved; true when the
  // transfer is still running.
  bool continue_transfer(bool write, DWORD bytes);
  void delete_operations();
  void reset_transfer() { _transfer_total = _transfer_position = _transfer_remaining = 0; }
  void fail(DWORD code, DWORD detail);

  std::string _server_host;
  USHORT _server_port = 0;
  status_t _status = status_idle;
  std::unique_ptr<asyn_socket_device> _device;
  asyn_io_operation* _send_operation_ptr = nullptr;
  asyn_io_operation* _recive_operation_ptr = nullptr;
  DWORD _transfer_total = 0;
  DWORD _transfer_position = 0;
  DWORD _transfer_remaining = 0;
  DWORD _header_bytes = 0;
  DWORD _content_length = 0;
  std::string _request_text;
  std::unique_ptr<upload_speed_limit_adapter> _upload_limiter;
};

}  // namespace notifications

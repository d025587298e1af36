// http_header_wrapper: builds the text of a GET request to one server.
#pragma once

#include <windows.h>

#include <string>

namespace notifications {

class http_header_wrapper {
 public:
  virtual ~http_header_wrapper() = default;

  void set_server(const std::string& host, USHORT port) {
    _server_host = host;
    _server_port = port;
  }
  // The request line for `path` and the fixed headers, "Host" naming the server without its
  // port. Refreshes the user agent from "base.ini" beside the plug-in first.
  std::string get_request(const std::string& path);

 private:
  std::string _server_host;
  USHORT _server_port = 0;
};

}  // namespace notifications

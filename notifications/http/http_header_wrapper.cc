#include "notifications/http/http_header_wrapper.h"

#include "base/http/http_request_headers.h"
#include "notifications/http/user_agent.h"

namespace notifications {

std::string http_header_wrapper::get_request(const std::string& path) {
  refresh_user_agent(module_folder());
  http_request_headers headers;
  headers.set("Host", _server_host);
  headers.set("User-Agent", user_agent());
  headers.set("Connection", "Keep-Alive");
  headers.set("Accept", "*/*");
  headers.set("Accept-Encoding", "gzip,deflate");
  headers.set("Accept-Language", "zh-CN,zh");
  return "GET " + path + " HTTP/1.1\r\n" + headers.to_string();
}

}  // namespace notifications

// Any bytes as the start of a response: the header parsing stays inside them and what it
// reports fits the bytes and the bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "notifications/http/http_response_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  http_response_header header;
  const http_header_state state =
      parse_http_response_header(reinterpret_cast<const char*>(data), size, &header);
  if (state == http_header_state::complete) {
    if (header.header_size < 4 || header.header_size > size ||
        header.header_size > kMaxResponseHeaderBytes ||
        header.content_length > kMaxContentLength ||
        size - header.header_size > header.content_length) {
      std::abort();
    }
  }
  if (state == http_header_state::incomplete && size >= kMaxResponseHeaderBytes) std::abort();
  return 0;
}

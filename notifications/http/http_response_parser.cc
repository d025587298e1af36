#include "notifications/http/http_response_parser.h"

#include <cstring>

namespace {

const char kHeaderEnd[] = "\r\n\r\n";
const std::size_t kHeaderEndSize = 4;
const char kLengthName[] = "content-length";
const std::size_t kLengthNameSize = 14;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Offset just past the first "\r\n\r\n", or 0 when there is none.
std::size_t FindHeaderEnd(const char* data, std::size_t size) {
  for (std::size_t i = 0; i + kHeaderEndSize <= size; ++i) {
    if (std::memcmp(data + i, kHeaderEnd, kHeaderEndSize) == 0) return i + kHeaderEndSize;
  }
  return 0;
}

// Offset of the first "Content-Length" in any case, or `size` when there is none.
std::size_t FindLengthName(const char* data, std::size_t size) {
  for (std::size_t i = 0; i + kLengthNameSize <= size; ++i) {
    std::size_t matched = 0;
    while (matched < kLengthNameSize && AsciiLower(data[i + matched]) == kLengthName[matched]) {
      ++matched;
    }
    if (matched == kLengthNameSize) return i;
  }
  return size;
}

// Reads the value starting at `p`; false for a negative or too large value.
bool ReadLength(const char* p, const char* end, std::uint32_t* length) {
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  if (p < end && *p == '-') return false;
  std::uint32_t value = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<std::uint32_t>(*p - '0');
    if (value > kMaxContentLength) return false;
  }
  *length = value;
  return true;
}

}  // namespace

http_header_state parse_http_response_header(const char* data, std::size_t size,
                                             http_response_header* header) {
  const std::size_t header_size = FindHeaderEnd(data, size);
  if (header_size == 0) {
    return size >= kMaxResponseHeaderBytes ? http_header_state::unusable
                                           : http_header_state::incomplete;
  }
  if (header_size > kMaxResponseHeaderBytes) return http_header_state::unusable;
  // Only the header itself is searched: body bytes that arrived with it are not header.
  const std::size_t name = FindLengthName(data, header_size);
  if (name == header_size) return http_header_state::unusable;
  std::uint32_t length = 0;
  const char* value = data + name + kLengthNameSize + 1;  // one byte after the name
  if (!ReadLength(value, data + header_size, &length)) return http_header_state::unusable;
  if (size - header_size > length) return http_header_state::unusable;
  header->header_size = header_size;
  header->content_length = length;
  return http_header_state::complete;
}

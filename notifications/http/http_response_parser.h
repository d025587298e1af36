// Reading the header at the start of an HTTP response: where it ends and how long the body
// is. Only Content-Length responses are understood; the status line is not examined.
#pragma once

#include <cstddef>
#include <cstdint>

// The header must end ("\r\n\r\n") within this many bytes.
const std::size_t kMaxResponseHeaderBytes = 8192;

// Largest Content-Length accepted: 32 MiB, far above any document the servers send, and a
// size that a 32-bit process can still allocate. A larger or a negative value makes the
// response unusable instead of asking for an unbounded buffer.
const std::uint32_t kMaxContentLength = 32u * 1024 * 1024;

enum class http_header_state {
  incomplete,  // no "\r\n\r\n" yet and room for more: read on
  unusable,    // give up on this exchange
  complete,    // the header is complete and usable
};

struct http_response_header {
  std::size_t header_size = 0;  // bytes up to and including "\r\n\r\n"
  std::uint32_t content_length = 0;
};

// Examines the first `size` bytes received for a response. Unusable: no "\r\n\r\n" within
// kMaxResponseHeaderBytes, no "Content-Length" (any case) in the header, a length that is
// negative or above kMaxContentLength, or more body bytes received than the length. The length
// is the decimal number that starts one byte after the name: blanks are skipped, reading stops
// at the first non-digit, no digits give 0. When complete, the body bytes already received
// start at data + header_size and are at most content_length.
http_header_state parse_http_response_header(const char* data, std::size_t size,
                                             http_response_header* header);

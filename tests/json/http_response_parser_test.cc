// Reading the header at the start of an HTTP response.
#include <string>

#include <gtest/gtest.h>

#include "notifications/http/http_response_parser.h"

namespace {

const char* StateName(http_header_state state) {
  switch (state) {
    case http_header_state::incomplete: return "incomplete";
    case http_header_state::unusable: return "unusable";
    case http_header_state::complete: return "complete";
  }
  return "?";
}

struct Case {
  const char* what;
  std::string received;
  http_header_state state;
  std::size_t header_size;     // when complete
  std::uint32_t content_length;  // when complete
};

const http_header_state kIncomplete = http_header_state::incomplete;
const http_header_state kUnusable = http_header_state::unusable;
const http_header_state kComplete = http_header_state::complete;

// "HTTP/1.1 200 OK\r\n" is 17 bytes.
const std::string kStatus = "HTTP/1.1 200 OK\r\n";

std::string HeaderOfSize(std::size_t size, const std::string& end) {
  const std::string start = kStatus + "X-Fill: ";
  return start + std::string(size - start.size() - end.size(), 'f') + end;
}

const Case kCases[] = {
    {"nothing yet", "", kIncomplete, 0, 0},
    {"first piece of a header", kStatus + "Content-Len", kIncomplete, 0, 0},
    {"header without its blank line", kStatus + "Content-Length: 5\r\n", kIncomplete, 0, 0},
    {"header and whole body at once", kStatus + "Content-Length: 5\r\n\r\nhello", kComplete,
     38, 5},
    {"header and part of the body", kStatus + "Content-Length: 5\r\n\r\nhe", kComplete, 38, 5},
    {"header alone", kStatus + "Content-Length: 5\r\n\r\n", kComplete, 38, 5},
    {"length zero and no body", kStatus + "Content-Length: 0\r\n\r\n", kComplete, 38, 0},
    {"name in lower case", kStatus + "content-length: 7\r\n\r\n", kComplete, 38, 7},
    {"name in mixed case", kStatus + "CONTENT-length: 7\r\n\r\n", kComplete, 38, 7},
    {"value right after the colon", kStatus + "Content-Length:7\r\n\r\n", kComplete, 37, 7},
    {"value after several blanks", kStatus + "Content-Length:   \t 7\r\n\r\n", kComplete, 42,
     7},
    {"blank before the colon gives 0", kStatus + "Content-Length : 7\r\n\r\n", kComplete, 39, 0},
    {"no digits give 0", kStatus + "Content-Length: abc\r\n\r\n", kComplete, 40, 0},
    {"a plus sign is no digit: 0", kStatus + "Content-Length: +5\r\n\r\n", kComplete, 39, 0},
    {"empty value gives 0, not the body's digits", kStatus + "Content-Length:\r\n\r\n", kComplete,
     36, 0},
    {"digits end the value", kStatus + "Content-Length: 12x3\r\n\r\n" + std::string(12, 'b'),
     kComplete, 41, 12},
    {"the first of two lengths counts",
     kStatus + "Content-Length: 3\r\nContent-Length: 9\r\n\r\nabc", kComplete, 57, 3},
    {"a 404 with a body", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
     kComplete, 45, 9},
    {"length 8193", kStatus + "Content-Length: 8193\r\n\r\n", kComplete, 41, 8193},
    {"largest accepted length", kStatus + "Content-Length: 33554432\r\n\r\n", kComplete, 45,
     33554432},
    {"one above the largest length", kStatus + "Content-Length: 33554433\r\n\r\n", kUnusable, 0,
     0},
    {"length beyond 32 bits", kStatus + "Content-Length: 4294967296\r\n\r\n", kUnusable, 0, 0},
    {"length of twenty digits", kStatus + "Content-Length: 99999999999999999999\r\n\r\n",
     kUnusable, 0, 0},
    {"negative length", kStatus + "Content-Length: -1\r\n\r\n", kUnusable, 0, 0},
    {"no Content-Length (chunked)",
     kStatus + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", kUnusable, 0, 0},
    {"Content-Length only in the body", kStatus + "Server: x\r\n\r\nContent-Length: 5\r\n\r\n",
     kUnusable, 0, 0},
    {"more body than the length", kStatus + "Content-Length: 2\r\n\r\nabc", kUnusable, 0, 0},
    {"8191 header bytes without end", HeaderOfSize(8191, ""), kIncomplete, 0, 0},
    {"8192 header bytes without end", HeaderOfSize(8192, ""), kUnusable, 0, 0},
    {"header ending exactly at 8192 bytes", HeaderOfSize(8192, "\r\nContent-Length: 0\r\n\r\n"),
     kComplete, 8192, 0},
};

TEST(HttpResponseHeader, IsReadAsTheTableSays) {
  for (const Case& c : kCases) {
    http_response_header header;
    const http_header_state state =
        parse_http_response_header(c.received.data(), c.received.size(), &header);
    EXPECT_STREQ(StateName(c.state), StateName(state)) << c.what;
    if (state == http_header_state::complete && c.state == state) {
      EXPECT_EQ(c.header_size, header.header_size) << c.what;
      EXPECT_EQ(c.content_length, header.content_length) << c.what;
    }
  }
}

TEST(HttpResponseHeader, ArrivingInPiecesIsCompleteOnceItsEndArrives) {
  const std::string response = kStatus + "Content-Length: 4\r\n\r\nbody";
  http_response_header header;
  for (std::size_t received = 0; received <= response.size(); ++received) {
    const http_header_state state = parse_http_response_header(response.data(), received, &header);
    const bool ended = received >= 38;  // the blank line is in
    EXPECT_STREQ(StateName(ended ? kComplete : kIncomplete), StateName(state)) << received;
  }
  EXPECT_EQ(38u, header.header_size);
  EXPECT_EQ(4u, header.content_length);
}

}  // namespace

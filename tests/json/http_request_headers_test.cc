// The request header list and its text.
#include <gtest/gtest.h>

#include "base/http/http_request_headers.h"

namespace {

TEST(HttpRequestHeaders, WritesEachHeaderInOrderThenABlankLine) {
  http_request_headers headers;
  headers.set("Host", "push.example.test");
  headers.set("User-Agent", "Agent/1.0 (x)");
  headers.set("Connection", "Keep-Alive");
  headers.set("Accept", "*/*");
  headers.set("Accept-Encoding", "gzip,deflate");
  headers.set("Accept-Language", "zh-CN,zh");
  EXPECT_EQ(
      "Host: push.example.test\r\n"
      "User-Agent: Agent/1.0 (x)\r\n"
      "Connection: Keep-Alive\r\n"
      "Accept: */*\r\n"
      "Accept-Encoding: gzip,deflate\r\n"
      "Accept-Language: zh-CN,zh\r\n"
      "\r\n",
      headers.to_string());
}

TEST(HttpRequestHeaders, AnEmptyListIsJustTheBlankLine) {
  EXPECT_EQ("\r\n", http_request_headers().to_string());
}

TEST(HttpRequestHeaders, AnEmptyValueLeavesNoBlankAfterTheColon) {
  http_request_headers headers;
  headers.set("X-Empty", "");
  headers.set("X-Full", "1");
  EXPECT_EQ("X-Empty:\r\nX-Full: 1\r\n\r\n", headers.to_string());
}

TEST(HttpRequestHeaders, SettingANameAgainReplacesTheValueInPlace) {
  http_request_headers headers;
  headers.set("Accept", "*/*");
  headers.set("Host", "a.test");
  headers.set("ACCEPT", "text/plain");  // same name in other case: same header
  headers.set("Accept-X", "x");        // longer name: another header
  headers.set("host", "");
  EXPECT_EQ("Accept: text/plain\r\nHost:\r\nAccept-X: x\r\n\r\n", headers.to_string());
}

TEST(HttpRequestHeaders, LongValuesAreWrittenWhole) {
  const std::string agent(5000, 'a');
  http_request_headers headers;
  headers.set("User-Agent", agent);
  EXPECT_EQ("User-Agent: " + agent + "\r\n\r\n", headers.to_string());
}

}  // namespace

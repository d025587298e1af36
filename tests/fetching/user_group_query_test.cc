// The user-group query: check code, path, and reading the reply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notifications/request_text.h"
#include "notifications/user_group_query.h"

namespace fetching_test {
namespace {

TEST(UserGroupQueryTest, CheckCodeIsMd2OverUidTheFourNumbersAndSid) {
  // MD2 of the eleven bytes "u11100100s1", in lower-case hex.
  EXPECT_EQ("a4f9d1c82460f26715bd0e66f4962b9b", notifications::user_group_check_code("u1", "s1"));
  EXPECT_NE(notifications::user_group_check_code("u1", "s1"),
            notifications::user_group_check_code("u1", "s2"));
}

TEST(UserGroupQueryTest, PathCarriesTheValuesInQueryOrder) {
  EXPECT_EQ("/attribute?uid=u1&sid=s1&pv=10&cht=100&cmt=0&clt=1&cc=abc",
            notifications::user_group_path("u1", "s1", "abc"));
  EXPECT_EQ("/attribute?uid=a&b=c&sid=s&pv=10&cht=100&cmt=0&clt=1&cc=x",
            notifications::user_group_path("a&b=c", "s", "x"))
      << "an ampersand goes in unescaped";
  EXPECT_EQ("/attribute?uid=u%0D%0AX-Injected:%201&sid=s%20%09%7F%00&pv=10&cht=100&cmt=0&clt=1"
            "&cc=x",
            notifications::user_group_path("u\r\nX-Injected: 1", std::string("s \t\x7f\0", 5),
                                           "x"));
}

TEST(UserGroupQueryTest, EscapeTouchesOnlyBytesThatBreakARequestLine) {
  const std::string ordinary = "abcXYZ019-._~!$&'()*+,;=:@/?%#[]\"<>\\^`{|}\x80\xff";
  EXPECT_EQ(ordinary, notifications::escape_request_text(ordinary));
  EXPECT_EQ("%00%01%0A%0D%1F%20%7F", notifications::escape_request_text(
                                         std::string("\x00\x01\n\r\x1f \x7f", 7)));
}

TEST(UserGroupQueryTest, ReadsErrnoAndAttributes) {
  struct Case {
    const char* body;
    int result;
    std::vector<std::string> attributes;
  } cases[] = {
      {"{\"ERRNO\":\"0\",\"USERID\":\"u1\",\"ATTRIBUTE\":[\"a\",\"b\",\"c\"]}", 0, {"a", "b", "c"}},
      {"{\"ERRNO\":\"7\",\"ATTRIBUTE\":[\"a\"]}", 7, {}},
      {"{\"ERRNO\":\" -3x\",\"ATTRIBUTE\":[\"a\"]}", -3, {}},
      {"{\"ERRNO\":5,\"ATTRIBUTE\":[\"a\"]}", 0, {"a"}},
      {"{\"ERRNO\":\"\",\"ATTRIBUTE\":[\"a\"]}", 0, {"a"}},
      {"{}", 0, {}},
      {"{\"ERRNO\":\"0\",\"ATTRIBUTE\":[]}", 0, {}},
      {"{\"ATTRIBUTE\":[1,\"b\",null,{}]}", 0, {"", "b", "", ""}},
      {"{\"ATTRIBUTE\":\"a\"}", 0, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> attributes;
    EXPECT_EQ(c.result, notifications::read_user_group_reply(c.body, strlen(c.body), &attributes))
        << c.body;
    EXPECT_EQ(c.attributes, attributes) << c.body;
  }
  std::vector<std::string> attributes;
  EXPECT_THROW(notifications::read_user_group_reply("{\"ERRNO\":", 9, &attributes),
               std::exception);
  EXPECT_THROW(notifications::read_user_group_reply("[\"a\"]", 5, &attributes), std::exception);
}

}  // namespace
}  // namespace fetching_test

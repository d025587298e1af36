// The text of the GET requests, and the user agent that "base.ini" beside the plug-in sets.
#include <gtest/gtest.h>

#include <string>

#include "notifications/http/http_header_wrapper.h"
#include "notifications/http/user_agent.h"
#include "support/test_support.h"

namespace http_test {
namespace {

using test_support::ChildProcess;

const std::string kDefaultAgent =
    "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/535.11 (KHTML, like Gecko) Chrome/17.0.963.56 "
    "Safari/535.11";

TEST(GetRequest, HasTheRequestLineAndTheHeadersInOrder) {
  struct Case {
    const char* host;
    USHORT port;
    const char* path;
  };
  const Case cases[] = {
      {"push.example.test", 80, "/v3/vip/windows.js"},
      {"127.0.0.1", 8080, "/attribute?uid=u1&sid=s1&pv=10&cht=100&cmt=0&clt=1&cc=ab"},
      {"groups.example.test", 443, "/"},
  };
  for (const Case& c : cases) {
    notifications::http_header_wrapper wrapper;
    wrapper.set_server(c.host, c.port);
    EXPECT_EQ(std::string("GET ") + c.path + " HTTP/1.1\r\n" +
                  "Host: " + c.host + "\r\n" +  // never with the port
                  "User-Agent: " + kDefaultAgent + "\r\n" +
                  "Connection: Keep-Alive\r\n"
                  "Accept: */*\r\n"
                  "Accept-Encoding: gzip,deflate\r\n"
                  "Accept-Language: zh-CN,zh\r\n"
                  "\r\n",
              wrapper.get_request(c.path));
  }
}

// The probe runs from a folder of its own, so its base.ini concerns no other program.
TEST(UserAgent, AValueInBaseIniStaysInForceAfterItLeavesTheFile) {
  test_support::TempDir folder;
  const std::wstring probe = folder.Join(L"user_agent_probe.exe");
  ASSERT_TRUE(test_support::CopyTo(test_support::BinDir() + L"\\user_agent_probe.exe", probe));
  ChildProcess child;
  ChildProcess::Options options;
  options.capture_output = true;
  ASSERT_TRUE(child.Start(probe,
                          test_support::QuoteArgument(probe) +
                              L" request set:Probe/1.0 request remove request set: request"
                              L" set:Probe/2.0 request",
                          options));
  DWORD exit_code = 1;
  ASSERT_TRUE(child.Wait(30000, &exit_code)) << "the probe did not end";
  EXPECT_EQ(0u, exit_code);
  EXPECT_EQ("User-Agent: " + kDefaultAgent + "\r\n" +
                "User-Agent: Probe/1.0\r\n"   // read from the file
                "User-Agent: Probe/1.0\r\n"   // the key is gone: the value stays
                "User-Agent: Probe/1.0\r\n"   // an empty value changes nothing
                "User-Agent: Probe/2.0\r\n",  // a new value replaces it
            child.output());
}

}  // namespace
}  // namespace http_test

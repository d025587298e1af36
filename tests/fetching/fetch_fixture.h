// The real notifications.dll in the host stand-in with the frame's clock in the test's hands,
// a user-group server and a notification server scripted on 127.0.0.1 (their addresses come
// from the host's settings), two client sinks, and a configuration folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "../notifications/event_sink.h"
#include "../notifications/plugin_host_fixture.h"
#include "scripted_server.h"

namespace fetching_test {

const char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/535.11 (KHTML, like Gecko) "
    "Chrome/17.0.963.56 Safari/535.11";
// The check code of uid u1 and sid s1.
const char kCheckCodeU1S1[] = "a4f9d1c82460f26715bd0e66f4962b9b";

// The full GET request text the plug-in sends for `path` to 127.0.0.1.
std::string ExpectedRequest(const std::string& path);
// MD2 over uid, "1100100" and sid in lower-case hex, computed here on its own.
std::string CheckCode(const std::string& uid, const std::string& sid);
std::string AttributePath(const std::string& uid, const std::string& sid,
                          const std::string& check_code);
std::string PushPath(const std::string& attribute);
// {"ERRNO":"0","USERID":"u1","ATTRIBUTE":[...]}
Reply AttributesReply(const std::vector<std::string>& attributes);
// A message object whose window holds the current time when `valid`, else one that ended.
std::string MessageJson(int id, bool valid);
// The same message as the plug-in's writer lays it out inside the "message" array.
std::string WrittenMessage(const std::string& message_json);
// {"platform":"windows","message":[messages...]}
std::string PushDocument(const std::vector<std::string>& messages,
                         const std::string& platform = "windows");

class FetchTest : public notifications_test::PluginHostTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The host's services; a test may leave some out.
  virtual host::HostOptions Options() { return host::HostOptions(); }

  host::Frame* frame() { return host_->frame(); }
  // Start of INotifications with the test's folder unless another is given.
  void Start(const char* uid = "u1", const char* sid = "s1", const std::wstring& folder = L"");
  // Uninitialize as the host does it: the published service dropped first.
  void Uninitialize();

  // Delivers completions until `done` holds; fails the test after 10 s of real time.
  bool RunUntil(const std::function<bool()>& done, const std::string& what);
  // True when timer `id` is pending and due `interval` ms from now.
  bool ArmedIn(DWORD id, DWORD interval);
  bool Pending(DWORD id);
  // Lets an exchange in flight (a pending request timeout) come to its end.
  void Settle();
  // Moves the clock `ms` forward one due timer at a time, settling after each.
  void Step(ULONGLONG ms);
  // Fires the first attribute fetch (10 s after Start) and waits for its outcome.
  void RunAttributeFetch();
  // Moves the clock to the pending push timer, which fires.
  void FirePushTimer();
  // Fires the pending push timer and waits until the pass has ended or is waiting to retry.
  void RunPass();

  std::string JsonDat(const std::wstring& folder = L"");
  // Submitted statistics records as "name|key=value|key=value..." texts.
  std::vector<std::string> Records();
  std::string EventText(const std::wstring& folder = L"") const;

  test_support::TempDir dir_;
  ScriptedServer user_group_;
  ScriptedServer push_;
  com::com_ptr<notifications::INotifications> service_;
  std::vector<std::string> journal_;
  notifications_test::EventSink* sink_a_ = nullptr;
  notifications_test::EventSink* sink_b_ = nullptr;
  notifications_test::HostRefCounts baseline_{};
  bool initialized_ = false;
};

}  // namespace fetching_test

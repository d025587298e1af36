#include "fetch_fixture.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/filters.h>
#include <cryptopp/hex.h>
#include <cryptopp/md2.h>

#include <algorithm>

#include "support/test_support.h"

namespace fetching_test {

std::string ExpectedRequest(const std::string& path) {
  return "GET " + path +
         " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: " + kUserAgent +
         "\r\nConnection: Keep-Alive\r\nAccept: */*\r\nAccept-Encoding: gzip,deflate\r\n"
         "Accept-Language: zh-CN,zh\r\n\r\n";
}

std::string CheckCode(const std::string& uid, const std::string& sid) {
  CryptoPP::Weak::MD2 md2;
  std::string hex;
  CryptoPP::StringSource source(
      uid + "1100100" + sid, true,
      new CryptoPP::HashFilter(md2, new CryptoPP::HexEncoder(new CryptoPP::StringSink(hex), false)));
  return hex;
}

std::string AttributePath(const std::string& uid, const std::string& sid,
                          const std::string& check_code) {
  return "/attribute?uid=" + uid + "&sid=" + sid + "&pv=10&cht=100&cmt=0&clt=1&cc=" + check_code;
}

std::string PushPath(const std::string& attribute) { return "/v3/" + attribute + "/windows.js"; }

Reply AttributesReply(const std::vector<std::string>& attributes) {
  std::string list;
  for (const std::string& attribute : attributes)
    list += (list.empty() ? "\"" : ",\"") + attribute + "\"";
  return Reply::Ok("{\"ERRNO\":\"0\",\"USERID\":\"u1\",\"ATTRIBUTE\":[" + list + "]}");
}

std::string MessageJson(int id, bool valid) {
  long long now = static_cast<long long>(time(nullptr));
  long long start = valid ? now - 3600 : now - 7200;
  long long end = valid ? now + 3600 : now - 3600;
  return "{\"msgid\":" + std::to_string(id) + ",\"title\":\"m" + std::to_string(id) +
         "\",\"starttime\":" + std::to_string(start) + ",\"endtime\":" + std::to_string(end) +
         "}";
}

std::string WrittenMessage(const std::string& message_json) {
  // MessageJson gives flat members without blanks: name, colon, value, comma.
  std::string text = "\t\t{\n";
  size_t at = 1;
  const size_t last = message_json.size() - 1;
  while (at < last) {
    size_t colon = message_json.find(':', at);
    size_t end = std::min(message_json.find(',', colon), last);
    text += "\t\t\t" + message_json.substr(at, colon - at) + " : " +
            message_json.substr(colon + 1, end - colon - 1) + (end < last ? ",\n" : "\n");
    at = end + 1;
  }
  return text + "\t\t}";
}

std::string PushDocument(const std::vector<std::string>& messages, const std::string& platform) {
  std::string list;
  for (const std::string& message : messages) list += (list.empty() ? "" : ",") + message;
  return "{\"platform\":\"" + platform + "\",\"message\":[" + list + "]}";
}

void FetchTest::SetUp() {
  PluginHostTest::SetUp();
  MakeHost(Options());
  host::SettingsService* settings = host_->settings();
  settings->SetString("notifications", "user_group_server", "127.0.0.1");
  settings->SetInt("notifications", "user_group_port", user_group_.port());
  settings->SetString("notifications", "notifications_server", "127.0.0.1");
  settings->SetInt("notifications", "notifications_port", push_.port());
  baseline_ = RefCounts();
  MakePlugin();
  ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
  initialized_ = true;
  service_ = Notifications();
  ASSERT_TRUE(service_);
  sink_a_ = new notifications_test::EventSink("A", &journal_);
  sink_b_ = new notifications_test::EventSink("B", &journal_);
  ASSERT_EQ(S_OK, service_->Advise(sink_a_));
  ASSERT_EQ(S_OK, service_->Advise(sink_b_));
}

void FetchTest::TearDown() {
  if (initialized_) Uninitialize();
  if (sink_a_) sink_a_->Release();
  if (sink_b_) sink_b_->Release();
  PluginHostTest::TearDown();
}

void FetchTest::Uninitialize() {
  service_.reset();
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
  initialized_ = false;
}

void FetchTest::Start(const char* uid, const char* sid, const std::wstring& folder) {
  ASSERT_EQ(S_OK, service_->Start(0, uid, 0, sid, (folder.empty() ? dir_.path() : folder).c_str()));
}

bool FetchTest::RunUntil(const std::function<bool()>& done, const std::string& what) {
  // Short rounds: the frame waits for its next completion, which may never come when the
  // awaited change is the server's (a request it received).
  const ULONGLONG give_up = GetTickCount64() + 10000;
  bool reached = done();
  while (!reached && GetTickCount64() < give_up) reached = frame()->RunUntil(done, 20);
  EXPECT_TRUE(reached) << "not reached within 10 s: " << what;
  return reached;
}

bool FetchTest::Pending(DWORD id) {
  for (const host::Frame::TimerInfo& timer : frame()->Timers())
    if (timer.id == id) return true;
  return false;
}

bool FetchTest::ArmedIn(DWORD id, DWORD interval) {
  for (const host::Frame::TimerInfo& timer : frame()->Timers())
    if (timer.id == id) return timer.interval == interval && timer.due == frame()->Now() + interval;
  return false;
}

void FetchTest::Settle() {
  RunUntil([this] { return !Pending(10001); }, "the exchange in flight ended");
}

void FetchTest::Step(ULONGLONG ms) {
  const ULONGLONG target = frame()->Now() + ms;
  for (;;) {
    Settle();
    std::vector<host::Frame::TimerInfo> timers = frame()->Timers();
    if (timers.empty() || timers[0].due > target) break;
    frame()->Advance(static_cast<DWORD>(timers[0].due - frame()->Now()));
  }
  frame()->Advance(static_cast<DWORD>(target - frame()->Now()));
}

void FetchTest::RunAttributeFetch() {
  frame()->Advance(10000);
  Settle();
}

void FetchTest::FirePushTimer() {
  for (const host::Frame::TimerInfo& timer : frame()->Timers()) {
    if (timer.id != 10002) continue;
    frame()->Advance(static_cast<DWORD>(timer.due - frame()->Now()));
    return;
  }
  ADD_FAILURE() << "no push fetch is pending";
}

void FetchTest::RunPass() {
  FirePushTimer();
  Settle();
}

std::string FetchTest::JsonDat(const std::wstring& folder) {
  std::string contents;
  if (!test_support::ReadFile((folder.empty() ? dir_.path() : folder) + L"\\json.dat", &contents))
    return "(none)";
  return contents;
}

std::vector<std::string> FetchTest::Records() {
  std::vector<std::string> records;
  for (const host::StatService::Submitted& record : host_->stat_service()->submitted()) {
    std::string text = record.category + "|" + record.name;
    for (const auto& entry : record.entries) text += "|" + entry.first + "=" + entry.second;
    records.push_back(text);
  }
  return records;
}

std::string FetchTest::EventText(const std::wstring& folder) const {
  return "|config_path = " + test_support::ToUtf8(folder.empty() ? dir_.path() : folder);
}

}  // namespace fetching_test

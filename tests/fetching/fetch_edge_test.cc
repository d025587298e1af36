// The edge cases of the fetch cycle through the real library: failures and retries, empty
// attribute lists, a second Start, passes that leave nothing, "pmsg.dat", and request lines
// that values from the network or the client must not break.
#include <windows.h>

#include "fetch_fixture.h"
#include "support/test_support.h"

namespace fetching_test {
namespace {

const std::string kUserGroupPath = AttributePath("u1", "s1", kCheckCodeU1S1);

// The identifiers listed in a "pmsg.dat", read the way the plug-in reads them.
std::vector<int> ListedIds(const std::wstring& path) {
  std::string narrow = test_support::ToUtf8(path);
  std::vector<int> ids;
  for (int index = 0;; ++index) {
    std::string key = "id_no[" + std::to_string(index) + "]";
    int id = static_cast<int>(GetPrivateProfileIntA("msgid", key.c_str(), 0, narrow.c_str()));
    if (id == 0) return ids;
    ids.push_back(id);
  }
}

TEST_F(FetchTest, APushFailureRetriesTheSameAttributeAfterFiveMinutes) {
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1", "a2", "a3"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  push_.Script(PushPath("a2"), {Reply::Raw("", Reply::kSendAndClose), Reply::Hang(),
                                Reply::Ok(PushDocument({MessageJson(2, true)}))});
  push_.Script(PushPath("a3"), {Reply::Ok(PushDocument({}))});
  Start();
  RunAttributeFetch();
  RunPass();
  EXPECT_EQ(std::vector<std::string>({PushPath("a1"), PushPath("a2")}), push_.Paths());
  EXPECT_TRUE(ArmedIn(10002, 300000)) << "a closed connection is retried after 300000 ms";

  // The retry of a2 meets a server that never answers: the request times out after 10 s.
  frame()->Advance(300000);
  RunUntil([this] { return push_.RequestCount() == 3; }, "the retry of a2 arrived");
  frame()->Advance(9999);
  EXPECT_TRUE(Pending(10001)) << "the request limit is 10000 ms";
  frame()->Advance(1);
  EXPECT_FALSE(Pending(10001));
  EXPECT_TRUE(ArmedIn(10002, 300000)) << "a timeout is retried after 300000 ms";
  EXPECT_TRUE(journal_.empty());

  Step(300000);
  EXPECT_EQ(std::vector<std::string>({PushPath("a1"), PushPath("a2"), PushPath("a2"),
                                      PushPath("a2"), PushPath("a3")}),
            push_.Paths());
  EXPECT_TRUE(ArmedIn(10002, 900000));
  EXPECT_EQ(2u, journal_.size());
  EXPECT_EQ("notifications|notifications_st_1|userid=u1|34101=3|34102=1|34103=1|34104=1",
            Records().back());
}

TEST_F(FetchTest, AttributeFetchFailuresAndErrorNumbersRetryAfterFiveMinutes) {
  user_group_.Script(kUserGroupPath,
                     {Reply::Raw("HTTP/1.1 200 OK\r\n\r\n{}"),  // no Content-Length
                      Reply::Ok("{\"ERRNO\":\"3\",\"ATTRIBUTE\":[\"a1\"]}"), Reply::Hang(),
                      Reply::Ok("{\"ERRNO\":\"x\",\"ATTRIBUTE\":[\"a1\"]"),  // unreadable
                      Reply::Ok("{\"ERRNO\":7,\"ATTRIBUTE\":[\"a1\"]}")});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  Start();
  RunAttributeFetch();
  EXPECT_TRUE(ArmedIn(10004, 300000)) << "a response without Content-Length";
  Step(300000);
  EXPECT_TRUE(ArmedIn(10004, 300000)) << "a non-zero ERRNO";
  frame()->Advance(300000);
  RunUntil([this] { return user_group_.RequestCount() == 3; }, "third attribute request");
  frame()->Advance(10000);
  EXPECT_TRUE(ArmedIn(10004, 300000)) << "a timeout";
  Step(300000);
  EXPECT_TRUE(ArmedIn(10004, 300000)) << "an unreadable reply";
  EXPECT_FALSE(Pending(10002));
  Step(300000);
  EXPECT_TRUE(ArmedIn(10004, 86399990)) << "ERRNO as a JSON number reads as 0";
  EXPECT_TRUE(ArmedIn(10002, 1000));
  EXPECT_EQ(1u, Records().size()) << "the start record goes out once, at the first fetch";
  Step(1000);
  EXPECT_EQ("notifications|notifications_st_1|userid=u1|34101=1|34104=3|34105=1|34106=1|34202=1",
            Records().back());
}

TEST_F(FetchTest, AnEmptyFirstAttributeListLeavesNothingArmed) {
  user_group_.Script(kUserGroupPath, {Reply::Ok("{\"ERRNO\":\"0\",\"ATTRIBUTE\":[]}")});
  Start();
  RunAttributeFetch();
  EXPECT_EQ(1u, user_group_.RequestCount());
  EXPECT_TRUE(frame()->Timers().empty());
  EXPECT_EQ(0, frame()->Advance(86399990));
  EXPECT_EQ(0u, push_.RequestCount());
}

TEST_F(FetchTest, ASecondStartReplacesTheValuesWithoutASecondChain) {
  test_support::TempDir other;
  user_group_.Script(AttributePath("u2", "s2", CheckCode("u2", "s2")), {AttributesReply({"a1"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  ASSERT_TRUE(test_support::WriteFile(other.Join(L"pmsg.dat"), "[msgid]\r\nid_no[0]=5\r\n"));
  Start();
  frame()->Advance(5000);
  host_->log().Clear();
  Start("u2", "s2", other.path());
  EXPECT_TRUE(host_->log().CallsStartingWith("StartTimer").empty());
  EXPECT_EQ(1u, frame()->Timers().size());

  frame()->Advance(5000);
  Settle();
  EXPECT_EQ(std::vector<std::string>({AttributePath("u2", "s2", CheckCode("u2", "s2"))}),
            user_group_.Paths());
  EXPECT_EQ(std::vector<std::string>({"notifications|notifications_st_1|userid=u2|"
                                      "notification_start_get_msg=notification_start_get_msg"}),
            Records());
  RunPass();
  EXPECT_EQ(0u, JsonDat(other.path()).find("u2|{"));
  EXPECT_EQ("(none)", JsonDat());
  EXPECT_EQ(std::vector<std::string>({"A " + EventText(other.path()) + " refs=3",
                                      "B " + EventText(other.path()) + " refs=3"}),
            journal_);
  std::string listed;
  ASSERT_TRUE(test_support::ReadFile(other.Join(L"pmsg.dat"), &listed));
  EXPECT_EQ(std::string::npos, listed.find("=5")) << "the new folder's list was rewritten";
}

TEST_F(FetchTest, APassWithoutMessagesWritesNothingAndKeepsTheCounters) {
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, false)})),
                                Reply::Ok(PushDocument({MessageJson(4, true)}))});
  ASSERT_TRUE(test_support::WriteFile(dir_.Join(L"json.dat"), "u0|old"));
  Start();
  RunAttributeFetch();
  RunPass();
  EXPECT_TRUE(ArmedIn(10002, 900000));
  EXPECT_EQ("u0|old", JsonDat());
  EXPECT_TRUE(journal_.empty());
  EXPECT_EQ(1u, Records().size()) << "only the start record";

  RunPass();
  EXPECT_NE(std::string::npos, JsonDat().find("\"msgid\" : 4"));
  EXPECT_EQ(2u, journal_.size());
  EXPECT_EQ("notifications|notifications_st_1|userid=u1|34101=2|34104=1", Records().back())
      << "the counts of the silent pass are reported with the next one";
}

TEST_F(FetchTest, ProcessedMessagesAreWithheldAndTheListIsRewrittenOncePerStart) {
  const std::wstring pmsg = dir_.Join(L"pmsg.dat");
  ASSERT_TRUE(test_support::WriteFile(pmsg, "[msgid]\r\nid_no[0]=2\r\nid_no[1]=9\r\n"
                                            "id_no[3]=1\r\n"));
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1", "a2"})});
  push_.Script(PushPath("a1"),
               {Reply::Ok(PushDocument({MessageJson(1, true), MessageJson(2, true)}))});
  push_.Script(PushPath("a2"), {Reply::Ok(PushDocument({MessageJson(2, true)}))});
  Start();
  RunAttributeFetch();
  RunPass();
  std::string written = JsonDat();
  EXPECT_NE(std::string::npos, written.find("\"msgid\" : 1")) << "id_no[3] lies past the gap";
  EXPECT_EQ(std::string::npos, written.find("\"msgid\" : 2"));
  std::string listed;
  ASSERT_TRUE(test_support::ReadFile(pmsg, &listed));
  EXPECT_NE(std::string::npos, listed.find("id_no[0]=2")) << listed;
  EXPECT_NE(std::string::npos, listed.find("id_no[1]=2")) << "once per removed copy: " << listed;
  EXPECT_EQ(std::string::npos, listed.find("9")) << "only identifiers still in use: " << listed;
  EXPECT_EQ(std::string::npos, listed.find("id_no[2]")) << listed;

  // Later passes read the list but do not write it again until the next Start.
  ASSERT_TRUE(test_support::WriteFile(pmsg, "[msgid]\r\nid_no[0]=1\r\nid_no[1]=2\r\n"
                                            "id_no[2]=77\r\n"));
  RunPass();
  EXPECT_EQ(written, JsonDat()) << "json.dat keeps the last content";
  EXPECT_EQ(2u, journal_.size()) << "nothing left: no event";
  ASSERT_TRUE(test_support::ReadFile(pmsg, &listed));
  EXPECT_NE(std::string::npos, listed.find("77"));

  Start();
  RunPass();
  EXPECT_EQ(std::vector<int>({1, 2, 2}), ListedIds(pmsg));
}

TEST_F(FetchTest, TheEventNamesTheFolderAsGiven) {
  const std::wstring folder = L"C:\\a";
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW(L"C:\\a\\json.dat");
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  Start("u1", "s1", folder);
  RunAttributeFetch();
  RunPass();
  EXPECT_EQ(std::vector<std::string>({"A |config_path = C:\\a refs=3",
                                      "B |config_path = C:\\a refs=3"}),
            journal_);
  EXPECT_EQ(0u, JsonDat(folder).find("u1|{"));
  DeleteFileW(L"C:\\a\\json.dat");
  DeleteFileW(L"C:\\a\\pmsg.dat");
  RemoveDirectoryW(folder.c_str());
}

TEST_F(FetchTest, ControlBytesInValuesCannotBreakTheRequestLine) {
  const std::string uid = "u 1&x", sid = "s\r\nX-Injected: 1";
  const std::string path = "/attribute?uid=u%201&x&sid=s%0D%0AX-Injected:%201&pv=10&cht=100&"
                           "cmt=0&clt=1&cc=" + CheckCode(uid, sid);
  // Attributes from the network take the same guard; ordinary ones go out as they are.
  user_group_.Script(path, {AttributesReply({"a b\\r\\nHost: evil", "vip-1_x.y"})});
  push_.Script(PushPath("a%20b%0D%0AHost:%20evil"), {Reply::Ok(PushDocument({}))});
  Start(uid.c_str(), sid.c_str());
  RunAttributeFetch();
  EXPECT_EQ(std::vector<std::string>({ExpectedRequest(path)}), user_group_.Requests());
  RunPass();
  EXPECT_EQ(std::vector<std::string>({ExpectedRequest(PushPath("a%20b%0D%0AHost:%20evil")),
                                      ExpectedRequest(PushPath("vip-1_x.y"))}),
            push_.Requests());
}

// Statistics are never in the way: a host that makes no records still gets the submissions
// (without a record), and one without the statistics service gets none; fetching goes on.
class StatisticsFailureTest : public FetchTest, public ::testing::WithParamInterface<bool> {
 protected:
  host::HostOptions Options() override {
    host::HostOptions options;
    (GetParam() ? options.records : options.stat_service) = false;
    return options;
  }
};

TEST_P(StatisticsFailureTest, FetchingGoesOnSilently) {
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  Start();
  RunAttributeFetch();
  RunPass();
  EXPECT_EQ(2u, journal_.size());
  EXPECT_NE(std::string::npos, JsonDat().find("\"msgid\" : 1"));
  EXPECT_EQ(GetParam() ? std::vector<std::string>({"notifications|", "notifications|"})
                       : std::vector<std::string>(),
            Records());
  EXPECT_TRUE(ArmedIn(10002, 900000));
}

INSTANTIATE_TEST_SUITE_P(NoRecordsOrNoService, StatisticsFailureTest, ::testing::Bool());

}  // namespace
}  // namespace fetching_test

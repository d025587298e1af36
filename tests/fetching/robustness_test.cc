// A hostile or broken notification server, and Uninitialize in the middle of a pass: the
// plug-in keeps its schedule, leaves the previous "json.dat" alone, and stops cleanly.
#include <windows.h>

#include "fetch_fixture.h"
#include "support/test_support.h"

namespace fetching_test {
namespace {

const std::string kUserGroupPath = AttributePath("u1", "s1", kCheckCodeU1S1);

std::string Header(const std::string& content_length) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + content_length + "\r\n\r\n";
}

TEST_F(FetchTest, BrokenPushRepliesNeverCostThePreviousMessageFile) {
  struct Case {
    const char* what;
    Reply reply;
    DWORD retry;  // 300000 when the exchange fails, 900000 when the reply is merely unusable
  } cases[] = {
      {"empty body", Reply::Ok(""), 900000},
      {"top-level array", Reply::Ok("[{\"platform\":\"windows\"}]"), 900000},
      {"truncated object", Reply::Ok("{\"platform\":\"windows\",\"message\":[{\"msgid\":1"),
       900000},
      {"trailing comma", Reply::Ok("{\"platform\":\"windows\",}"), 900000},
      {"garbage after the object", Reply::Ok("{\"platform\":\"windows\"} x"), 900000},
      {"bad escape", Reply::Ok("{\"platform\":\"win\\qdows\"}"), 900000},
      {"bad number", Reply::Ok("{\"message\":[1-2]}"), 900000},
      {"deep nesting", Reply::Ok("{\"a\":" + std::string(100000, '[')), 900000},
      {"binary", Reply::Ok(std::string("\0\xff\x01{", 4)), 900000},
      {"huge number", Reply::Ok("{\"platform\":\"windows\",\"message\":[{\"msgid\":1e999}]}"),
       900000},
      {"no Content-Length", Reply::Raw("HTTP/1.1 200 OK\r\n\r\n{}"), 300000},
      {"negative Content-Length", Reply::Raw(Header("-5") + "{}"), 300000},
      {"huge Content-Length", Reply::Raw(Header("4294967295") + "{}"), 300000},
      {"Content-Length past 32 bits", Reply::Raw(Header("99999999999") + "{}"), 300000},
      {"more body than Content-Length", Reply::Raw(Header("1") + "{}"), 300000},
      {"header without end", Reply::Raw("HTTP/1.1 200 OK\r\n" + std::string(9000, 'x')), 300000},
      {"closed mid-body", Reply::Raw(Header("100") + "{\"platform\"", Reply::kSendAndClose),
       300000},
      {"closed before answering", Reply::Raw("", Reply::kSendAndClose), 300000},
  };
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1", "a2"})});
  push_.Script(PushPath("a2"), {Reply::Ok(PushDocument({}))});
  ASSERT_TRUE(test_support::WriteFile(dir_.Join(L"json.dat"), "u0|old"));
  Start();
  RunAttributeFetch();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    push_.Script(PushPath("a1"), {c.reply});
    size_t before = push_.RequestCount();
    RunPass();
    EXPECT_LT(before, push_.RequestCount()) << c.what;
    EXPECT_TRUE(ArmedIn(10002, c.retry)) << c.what;
    EXPECT_EQ("u0|old", JsonDat()) << c.what;
    EXPECT_TRUE(journal_.empty()) << c.what;
    // Bring a failed pass to its end with an empty document for the next case.
    if (c.retry == 300000) {
      push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({}))});
      RunPass();
      EXPECT_TRUE(ArmedIn(10002, 900000)) << c.what;
    }
  }
  // A stalled server: the request runs into its limit and the schedule goes on.
  push_.Script(PushPath("a1"), {Reply::Raw(Header("10") + "{")});
  size_t before = push_.RequestCount();
  FirePushTimer();
  RunUntil([&] { return push_.RequestCount() > before; }, "stalled request arrived");
  frame()->Advance(9999);
  EXPECT_TRUE(Pending(10001));
  frame()->Advance(1);
  EXPECT_TRUE(ArmedIn(10002, 300000));
  EXPECT_EQ("u0|old", JsonDat());
}

TEST_F(FetchTest, AnUnusableFirstReplyStartsThePassEmpty) {
  // Without this, the last pass's messages would stay and each later attribute would add
  // its messages to them again, pass after pass.
  user_group_.Script(kUserGroupPath, {AttributesReply({"a1", "a2"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)})),
                                Reply::Ok("{broken")});
  push_.Script(PushPath("a2"), {Reply::Ok(PushDocument({MessageJson(2, true)}))});
  Start();
  RunAttributeFetch();
  RunPass();
  RunPass();
  RunPass();
  const std::string written = JsonDat();
  EXPECT_EQ(std::string::npos, written.find("\"msgid\" : 1")) << written;
  size_t first = written.find("\"msgid\" : 2");
  ASSERT_NE(std::string::npos, first) << written;
  EXPECT_EQ(std::string::npos, written.find("\"msgid\" : 2", first + 1)) << written;
  EXPECT_EQ(6u, journal_.size());
}

// Where a pass can be when the host uninitialises the plug-in.
enum class Moment {
  kFirstTimerPending,
  kAttributeRequestUnanswered,
  kPushBodyHalfReceived,
  kBetweenPasses,
  kRetryPending,
};

class UninitializeTest : public FetchTest, public ::testing::WithParamInterface<Moment> {};

TEST_P(UninitializeTest, StopsEverythingCleanly) {
  const Moment moment = GetParam();
  user_group_.Script(kUserGroupPath, {moment == Moment::kAttributeRequestUnanswered
                                          ? Reply::Hang()
                                          : AttributesReply({"a1", "a2"})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  push_.Script(PushPath("a2"),
               {moment == Moment::kPushBodyHalfReceived ? Reply::Raw(Header("500") + "{\"pl")
                : moment == Moment::kRetryPending       ? Reply::Raw("", Reply::kSendAndClose)
                                                        : Reply::Ok(PushDocument({}))});
  Start();
  if (moment == Moment::kAttributeRequestUnanswered) {
    frame()->Advance(10000);
    RunUntil([this] { return user_group_.RequestCount() == 1; }, "attribute request arrived");
    ASSERT_TRUE(Pending(10001));
  } else if (moment != Moment::kFirstTimerPending) {
    RunAttributeFetch();
    if (moment == Moment::kPushBodyHalfReceived) {
      frame()->Advance(1000);
      RunUntil([this] { return push_.RequestCount() == 2; }, "second push request arrived");
      frame()->RunUntil([] { return false; }, 200);  // let the partial body come in
      ASSERT_TRUE(Pending(10001));
    } else {
      RunPass();
    }
  }
  const std::vector<std::string> events = journal_;

  Uninitialize();
  EXPECT_TRUE(frame()->Timers().empty());
  EXPECT_EQ(0, frame()->Advance(86399990)) << "a callback reached the plug-in afterwards";
  EXPECT_EQ(0, frame()->RunPending());
  EXPECT_EQ(events, journal_);
  EXPECT_TRUE(baseline_ == RefCounts()) << "the plug-in still holds host objects";
  EXPECT_EQ(1u, sink_a_->ref_count());
  plugin_.reset();
  EXPECT_EQ(S_OK, library_.CanUnloadNow());
}

INSTANTIATE_TEST_SUITE_P(AtEveryMoment, UninitializeTest,
                         ::testing::Values(Moment::kFirstTimerPending,
                                           Moment::kAttributeRequestUnanswered,
                                           Moment::kPushBodyHalfReceived, Moment::kBetweenPasses,
                                           Moment::kRetryPending));

}  // namespace
}  // namespace fetching_test

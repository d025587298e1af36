// The whole fetch cycle through the real library: from Start to the client's event, the
// message file and the statistics, then the next pass and the daily attribute refresh.
#include <windows.h>

#include "fetch_fixture.h"

namespace fetching_test {
namespace {

TEST_F(FetchTest, OnePassFromStartToTheClientsEvent) {
  const std::string m1 = MessageJson(1, true), m2 = MessageJson(2, false),
                    m3 = MessageJson(3, true);
  user_group_.Script(AttributePath("u1", "s1", kCheckCodeU1S1),
                     {AttributesReply({"a1", "a2", "a3"})});
  push_.Script(PushPath("a1"), {Reply::Ok("{\"platform\":\"windows\",\"version\":2,\"message\":[" +
                                          m1 + "," + m2 + "]}")});
  push_.Script(PushPath("a2"), {Reply::Ok(PushDocument({m3}))});
  push_.Script(PushPath("a3"), {Reply::Ok(PushDocument({m1}))});

  Start();
  EXPECT_TRUE(ArmedIn(10004, 10000));
  frame()->Advance(9999);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(0u, user_group_.RequestCount());

  RunAttributeFetch();
  EXPECT_EQ(std::vector<std::string>({"notifications|notifications_st_1|userid=u1|"
                                      "notification_start_get_msg=notification_start_get_msg"}),
            Records());
  ASSERT_EQ(std::vector<std::string>({ExpectedRequest(AttributePath("u1", "s1", kCheckCodeU1S1))}),
            user_group_.Requests());
  EXPECT_TRUE(ArmedIn(10004, 86399990)) << "the daily attribute refresh";
  EXPECT_TRUE(ArmedIn(10002, 1000)) << "the first push fetch";

  host_->log().Clear();
  RunPass();
  EXPECT_EQ(std::vector<std::string>({ExpectedRequest(PushPath("a1")),
                                      ExpectedRequest(PushPath("a2")),
                                      ExpectedRequest(PushPath("a3"))}),
            push_.Requests());
  EXPECT_EQ(std::vector<std::string>({"StartTimer 10002 900000 0"}),
            host_->log().CallsStartingWith("StartTimer 10002"))
      << "the second and third requests go out at once; the next pass is armed after the third";
  EXPECT_TRUE(ArmedIn(10002, 900000));

  // The first reply (filtered) is the document; the later ones add their valid messages.
  EXPECT_EQ("u1|{\n\t\"platform\" : \"windows\",\n\t\"version\" : 2,\n\t\"message\" : [\n" +
                WrittenMessage(m1) + ",\n" + WrittenMessage(m3) + ",\n" + WrittenMessage(m1) + "\n\t]\n}",
            JsonDat());

  const std::string event = EventText();
  EXPECT_EQ(std::vector<std::string>({"A " + event + " refs=3", "B " + event + " refs=3"}),
            journal_);
  ASSERT_EQ(2u, Records().size());
  EXPECT_EQ("notifications|notifications_st_1|userid=u1|34101=3|34104=1", Records()[1]);

  // The next pass 900000 ms later, with the counters started afresh.
  frame()->Advance(899999);
  EXPECT_EQ(3u, push_.RequestCount());
  RunPass();
  EXPECT_EQ(6u, push_.RequestCount());
  EXPECT_EQ(4u, journal_.size());
  EXPECT_EQ("notifications|notifications_st_1|userid=u1|34101=3", Records().back());
}

TEST_F(FetchTest, TheAttributeRefreshComesADayLaterAndAShorterListRestartsThePass) {
  user_group_.Script(AttributePath("u1", "s1", kCheckCodeU1S1),
                     {AttributesReply({"a1", "a2", "a3"}), AttributesReply({"b1"}),
                      AttributesReply({})});
  push_.Script(PushPath("a1"), {Reply::Ok(PushDocument({MessageJson(1, true)}))});
  push_.Script(PushPath("a2"), {Reply::Ok(PushDocument({MessageJson(2, true)}))});
  // The third attribute always fails, so every pass waits at it to retry.
  push_.Script(PushPath("a3"), {Reply::Raw("", Reply::kSendAndClose)});
  push_.Script(PushPath("b1"), {Reply::Ok(PushDocument({MessageJson(5, true)}))});

  Start();
  RunAttributeFetch();
  const ULONGLONG refresh_due = frame()->Now() + 86399990;
  Step(86399990 - 1);
  EXPECT_EQ(1u, user_group_.RequestCount());
  std::vector<std::string> paths = push_.Paths();
  ASSERT_GE(paths.size(), 4u);
  EXPECT_EQ(PushPath("a3"), paths.back()) << "the pass retries at the failing attribute";
  EXPECT_EQ(std::string::npos, JsonDat().find("\"msgid\"")) << "no pass has ended";

  // The refresh: the new, shorter list replaces the old one while the pass waits at index 2;
  // the pass starts again at its first attribute instead of reading past the list.
  Step(1);
  EXPECT_EQ(refresh_due, frame()->Now());
  EXPECT_EQ(2u, user_group_.RequestCount());
  EXPECT_TRUE(ArmedIn(10002, 1000));
  EXPECT_TRUE(ArmedIn(10004, 86399990));
  Step(1000);
  EXPECT_EQ(PushPath("b1"), push_.Paths().back());
  EXPECT_TRUE(ArmedIn(10002, 900000));
  EXPECT_NE(std::string::npos, JsonDat().find("\"msgid\" : 5"));

  // A later reply without attributes ends the daily refresh; the passes go on with b1.
  Step(86399990);
  EXPECT_EQ(3u, user_group_.RequestCount());
  EXPECT_FALSE(Pending(10004));
  size_t before = push_.RequestCount();
  Step(900000);
  EXPECT_EQ(before + 1, push_.RequestCount());
  EXPECT_EQ(PushPath("b1"), push_.Paths().back());
}

}  // namespace
}  // namespace fetching_test

// The published notifications service through the real library: sink registration and
// the start of the fetch cycle on the host's frame, with the frame's clock in the test's
// hands.
#include <windows.h>

#include "event_sink.h"
#include "plugin_host_fixture.h"

namespace notifications_test {
namespace {

class NotificationsServiceTest : public PluginHostTest {
 protected:
  void SetUp() override {
    PluginHostTest::SetUp();
    MakeHost();
    MakePlugin();
    ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
    service_ = Notifications();
    ASSERT_TRUE(service_);
    host_->log().Clear();
  }
  void TearDown() override {
    service_.reset();
    EXPECT_EQ(S_OK, plugin_->Uninitialize());
    PluginHostTest::TearDown();
  }

  com::com_ptr<notifications::INotifications> service_;
};

TEST_F(NotificationsServiceTest, AdviseAndUnadviseReportTheSinkState) {
  std::vector<std::string> journal;
  EventSink* sink = new EventSink("A", &journal);
  EventSink* stranger = new EventSink("B", &journal);

  EXPECT_EQ(S_OK, service_->Advise(sink));
  EXPECT_EQ(E_UNEXPECTED, service_->Advise(sink));
  EXPECT_EQ(2u, sink->ref_count()) << "a refused second Advise took a reference";
  EXPECT_EQ(E_UNEXPECTED, service_->Unadvise(stranger));
  EXPECT_EQ(E_POINTER, service_->Advise(nullptr));
  EXPECT_EQ(S_OK, service_->Unadvise(sink));
  EXPECT_EQ(1u, sink->ref_count());
  EXPECT_EQ(E_UNEXPECTED, service_->Unadvise(sink));

  sink->Release();
  stranger->Release();
  EXPECT_EQ(std::vector<std::string>({"A destroyed", "B destroyed"}), journal);
}

TEST_F(NotificationsServiceTest, StartArmsTheFirstFetchOnceAndTheTimerFiresOnTime) {
  host::Frame* frame = host_->frame();
  EXPECT_EQ(S_OK, service_->Start(0, "10001", 0, "sid-1", L"C:\\profile\\config"));
  EXPECT_EQ(std::vector<std::string>({"StopTimer 10004", "StartTimer 10004 10000 0"}),
            host_->log().CallsStartingWith("St"));

  EXPECT_EQ(S_OK, service_->Start(0, "10002", 0, "sid-2", L"C:\\other"));
  EXPECT_EQ(2u, host_->log().CallsStartingWith("St").size())
      << "a second start armed another chain";
  EXPECT_EQ(S_OK, service_->Stop());

  std::vector<host::Frame::TimerInfo> timers = frame->Timers();
  ASSERT_EQ(1u, timers.size());
  EXPECT_EQ(10004u, timers[0].id);
  EXPECT_EQ(10000u, timers[0].due);

  EXPECT_EQ(0, frame->Advance(9999));
  EXPECT_EQ(1u, frame->Timers().size());
  EXPECT_LE(1, frame->Advance(1)) << "the timer did not fire at 10000 ms";
  // The attribute fetch went out to the built-in user-group server.
  EXPECT_EQ(1u, host_->log().CallsStartingWith("Socket.Connect usergroup.nubrel.com 80").size());
  EXPECT_EQ(GetCurrentThreadId(), frame->last_delivery_thread());
}

}  // namespace
}  // namespace notifications_test

// Raising OnNewMessages on the registered sinks of the notifications service.
#include <gtest/gtest.h>


#include "core_fixture.h"
#include "event_sink.h"
#include "notifications/message_manager.h"

namespace notifications_test {
namespace {

class EventsTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    ASSERT_EQ(S_OK, notifications::CMessageManager::Create(&manager_));
    text_ = SysAllocString(L"|config_path = C:\\a");
  }
  void TearDown() override {
    SysFreeString(text_);
    if (manager_) manager_->Release();
    CoreTest::TearDown();
  }

  EventSink* NewSink(const char* name) { return new EventSink(name, &journal_); }

  notifications::CMessageManager* manager_ = nullptr;
  BSTR text_ = nullptr;
  std::vector<std::string> journal_;
};

TEST_F(EventsTest, ReachesEachSinkOnceInRegistrationOrder) {
  EventSink* a = NewSink("A");
  EventSink* b = NewSink("B");
  ASSERT_EQ(S_OK, manager_->Advise(a));
  ASSERT_EQ(S_OK, manager_->Advise(b));
  EXPECT_EQ(E_UNEXPECTED, manager_->Advise(a));
  manager_->RaiseNewMessages(text_);
  EXPECT_EQ(std::vector<std::string>(
                {"A |config_path = C:\\a refs=3", "B |config_path = C:\\a refs=3"}),
            journal_);

  // Destroying the service gives the sinks back.
  manager_->Release();
  manager_ = nullptr;
  EXPECT_EQ(1u, a->ref_count());
  EXPECT_EQ(1u, b->ref_count());
  a->Release();
  b->Release();
}

TEST_F(EventsTest, ASinkRemovedDuringTheEventIsHeldUntilItsCallEnds) {
  EventSink* a = NewSink("A");
  EventSink* b = NewSink("B");
  ASSERT_EQ(S_OK, manager_->Advise(a));
  ASSERT_EQ(S_OK, manager_->Advise(b));
  b->Release();  // from now on only the service holds B
  a->during_call = [&] { EXPECT_EQ(S_OK, manager_->Unadvise(b)); };

  manager_->RaiseNewMessages(text_);
  EXPECT_EQ(std::vector<std::string>({"A |config_path = C:\\a refs=3",
                                      "B |config_path = C:\\a refs=1", "B destroyed"}),
            journal_);
  a->Release();
}

TEST_F(EventsTest, SinksMayRemoveThemselvesAndAddOthersFromInsideTheEvent) {
  EventSink* a = NewSink("A");
  EventSink* c = NewSink("C");
  ASSERT_EQ(S_OK, manager_->Advise(a));
  a->during_call = [&] {
    EXPECT_EQ(S_OK, manager_->Unadvise(a));
    EXPECT_EQ(S_OK, manager_->Advise(c));
  };
  manager_->RaiseNewMessages(text_);
  manager_->RaiseNewMessages(text_);
  EXPECT_EQ(std::vector<std::string>(
                {"A |config_path = C:\\a refs=3", "C |config_path = C:\\a refs=3"}),
            journal_);
  a->Release();
  c->Release();
}

}  // namespace
}  // namespace notifications_test

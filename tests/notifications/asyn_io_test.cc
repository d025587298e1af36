// Timers and operations of the plug-in's object model on the host stand-in's frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assertion_capture.h"
#include "core_fixture.h"
#include "loopback_listener.h"
#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/asyn_io_frame/asyn_io_handler.h"
#include "notifications/asyn_io_frame/asyn_io_operation.h"
#include "notifications/com_utility/com_module.h"

namespace notifications_test {
namespace {

using notifications::asyn_io_frame;
using notifications::asyn_io_operation;

// Records what reaches it, with the frame's clock at that moment.
class RecordingHandler : public notifications::asyn_io_handler {
 public:
  RecordingHandler(std::string name, host::Frame* frame, std::vector<std::string>* journal)
      : name_(std::move(name)), frame_(frame), journal_(journal) {}
  ~RecordingHandler() override { journal_->push_back(name_ + " destroyed"); }

  void on_timer(DWORD id) override {
    journal_->push_back(name_ + " timer " + std::to_string(id) + " at " +
                        std::to_string(frame_->Now()));
    if (timer_event) SetEvent(timer_event);
  }
  void on_io_complete(asyn_io_operation* operation) override {
    DWORD bytes = 0, error = 0;
    bool ok = operation->get_result(&bytes, &error);
    journal_->push_back(name_ + " complete " + (ok ? "ok " : "error ") + std::to_string(bytes));
  }
  void close() override {}

  HANDLE timer_event = nullptr;

 private:
  std::string name_;
  host::Frame* frame_;
  std::vector<std::string>* journal_;
};

class AsynIoTest : public CoreTest {
 protected:
  RecordingHandler* NewHandler(const char* name) {
    return new RecordingHandler(name, host_->frame(), &journal_);
  }
  std::vector<std::string> journal_;
};

TEST_F(AsynIoTest, SetTimerChecksTheIntervalBeforeCallingTheFrame) {
  RecordingHandler* handler = NewHandler("h");
  struct Case {
    DWORD milliseconds;
    const char* failed_condition;
  };
  const Case cases[] = {
      {0, "millisecond > 0"},
      {86399991, "millisecond <= MAX_TIMER_MILLISECOND"},
      {0xFFFFFFFF, "millisecond <= MAX_TIMER_MILLISECOND"},
  };
  for (const Case& c : cases) {
    std::optional<std::string> message =
        CaptureAssertion([&] { asyn_io_frame::instance()->set_timer(handler, c.milliseconds, 1, false); });
    ASSERT_TRUE(message) << c.milliseconds << " ms was accepted";
    EXPECT_EQ(std::string(c.failed_condition) + " not true, detail: skyrend_assert",
              WithoutLocation(*message));
  }
  EXPECT_TRUE(host_->log().Calls().empty()) << "the frame was called for a refused interval";

  EXPECT_FALSE(CaptureAssertion(
      [&] { asyn_io_frame::instance()->set_timer(handler, 86399990, 1, false); }));
  ASSERT_EQ(1u, host_->frame()->Timers().size());
  EXPECT_EQ(86399990u, host_->frame()->Timers()[0].interval);
  delete handler;
  EXPECT_TRUE(host_->frame()->Timers().empty()) << "a destroyed handler left a timer behind";
}

TEST_F(AsynIoTest, TimersFireInDueOrderAsTheClockAdvances) {
  RecordingHandler* first = NewHandler("first");
  RecordingHandler* second = NewHandler("second");
  asyn_io_frame* frame = asyn_io_frame::instance();
  frame->set_timer(first, 300, 1, false);
  frame->set_timer(first, 100, 2, false);
  frame->set_timer(first, 200, 3, false);
  frame->set_timer(second, 200, 1, false);  // same id, other handler: its own timer
  frame->set_timer(second, 50, 9, false);
  frame->kill_timer(second, 9);

  EXPECT_EQ(0, host_->frame()->Advance(99));
  EXPECT_EQ(4, host_->frame()->Advance(1000));
  EXPECT_EQ(std::vector<std::string>({"first timer 2 at 100", "first timer 3 at 200",
                                      "second timer 1 at 200", "first timer 1 at 300"}),
            journal_);
  EXPECT_EQ(1099u, host_->frame()->Now());
  delete first;
  delete second;
}

TEST_F(AsynIoTest, ArmingARunningTimerRestartsIt) {
  RecordingHandler* handler = NewHandler("h");
  asyn_io_frame* frame = asyn_io_frame::instance();
  frame->set_timer(handler, 1000, 7, false);
  host_->frame()->Advance(500);
  frame->set_timer(handler, 1000, 7, false);
  host_->frame()->Advance(999);
  EXPECT_TRUE(journal_.empty()) << "the first arming still fired";
  host_->frame()->Advance(1);
  host_->frame()->Advance(5000);
  EXPECT_EQ(std::vector<std::string>({"h timer 7 at 1500"}), journal_);
  delete handler;
}

TEST_F(AsynIoTest, RealClockDeliversOnTheFrameThread) {
  TearDown();
  host::HostOptions options;
  options.clock = host::ClockMode::kReal;
  StartHost(options);
  RecordingHandler* handler = NewHandler("h");
  handler->timer_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  host_->frame()->StartThread();
  asyn_io_frame::instance()->set_timer(handler, 20, 5, false);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(handler->timer_event, 10000))
      << "the timer did not fire within 10 s of real time";
  host_->frame()->StopThread();
  EXPECT_NE(0u, host_->frame()->last_delivery_thread());
  EXPECT_NE(GetCurrentThreadId(), host_->frame()->last_delivery_thread());
  ASSERT_EQ(1u, journal_.size());
  EXPECT_EQ(0u, journal_[0].find("h timer 5 at ")) << journal_[0];
  CloseHandle(handler->timer_event);
  delete handler;
}

void StartRead(pull_tide::IAsynSocket* socket, asyn_io_operation* operation, DWORD count) {
  operation->host_operation()->SetWindow(0, count);
  ASSERT_EQ(S_OK, socket->Read(operation->host_operation()));
  operation->set_started(asyn_io_operation::kind_read);
}

TEST_F(AsynIoTest, DestroyingAHandlerCancelsItsPendingOperationWithoutACompletion) {
  Listener listener;
  host::Frame* frame = host_->frame();
  com::com_ptr<pull_tide::IAsynSocket> socket;
  ASSERT_EQ(S_OK, frame->CreateTcpSocket(socket.receive()));

  // Each callback object (timer and message sinks of a handler, one per operation) holds a
  // lock on the library while it lives.
  const LONG locks_before = com::ModuleLockCount();
  RecordingHandler* doomed = NewHandler("doomed");
  EXPECT_EQ(locks_before + 2, com::ModuleLockCount());
  asyn_io_operation* connect = asyn_io_operation::new_operation(doomed, 0);
  ASSERT_NE(nullptr, connect);
  EXPECT_EQ(locks_before + 3, com::ModuleLockCount());
  ASSERT_EQ(S_OK, socket->Connect(connect->host_operation(), 9, "127.0.0.1", listener.port(), 50));
  connect->set_started(asyn_io_operation::kind_connect);
  ASSERT_TRUE(frame->WaitForCompletion(10000)) << "the connect did not complete";
  ASSERT_TRUE(listener.Accept());
  EXPECT_EQ(std::vector<std::string>({"doomed complete ok 0"}), journal_);
  doomed->delete_operation(connect);

  asyn_io_operation* read = asyn_io_operation::new_operation(doomed, 64);
  ASSERT_NE(nullptr, read);
  StartRead(socket.get(), read, 64);
  EXPECT_TRUE(read->pending());
  EXPECT_EQ(1u, doomed->operation_count());
  delete doomed;
  EXPECT_EQ(1u, host_->log().CallsStartingWith("Cancel").size());
  EXPECT_EQ(locks_before, com::ModuleLockCount());

  // The data arrives after the cancel: only a read started afterwards receives it.
  ASSERT_TRUE(listener.Send("hello"));
  RecordingHandler* survivor = NewHandler("survivor");
  asyn_io_operation* second_read = asyn_io_operation::new_operation(survivor, 64);
  StartRead(socket.get(), second_read, 64);
  ASSERT_TRUE(frame->WaitForCompletion(10000)) << "the second read did not complete";
  EXPECT_EQ(std::vector<std::string>({"doomed complete ok 0", "doomed destroyed",
                                      "survivor complete ok 5"}),
            journal_);
  EXPECT_EQ("hello", std::string(reinterpret_cast<char*>(second_read->buffer()), 5));
  socket->Close();
  delete survivor;
}

}  // namespace
}  // namespace notifications_test

// The host stand-in's frame on its own: sockets over Winsock on the loopback interface,
// operations with their windows, and the rule that nothing is delivered after Cancel.
#include <gtest/gtest.h>

#include "loopback_listener.h"
#include "notifications/com_utility/com_ptr.h"
#include "standins/host/download_lib_host.h"

namespace notifications_test {
namespace {

// Records each completion as "<error> <bytes>".
class CompletionSink : public pull_tide::IAsynIoOperationEvents {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = IsEqualIID(iid, IID_IUnknown) ? static_cast<IUnknown*>(this) : nullptr;
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++ref_count_; }
  ULONG STDMETHODCALLTYPE Release() override { return --ref_count_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE OnIoComplete(pull_tide::IAsynIoOperation* operation) override {
    DWORD error = 0, bytes = 0;
    operation->GetResult(&error, &bytes);
    completions.push_back(std::to_string(error) + " " + std::to_string(bytes));
    return S_OK;
  }

  std::vector<std::string> completions;
  ULONG ref_count_ = 1;
};

class HostFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.attach(host::DownloadLibHost::Create(host::HostOptions()));
    frame_ = host_->frame();
    ASSERT_EQ(S_OK, frame_->CreateTcpSocket(socket_.receive()));
  }
  void TearDown() override {
    socket_.reset();
    operation_.reset();
    host_.reset();
    EXPECT_EQ(1u, sink_.ref_count_) << "the frame kept the operation's sink";
  }

  com::com_ptr<pull_tide::IAsynIoOperation> NewOperation(DWORD buffer_size) {
    com::com_ptr<pull_tide::IAsynIoOperation> operation;
    EXPECT_EQ(S_OK, frame_->CreateIoOperation(&sink_, operation.receive()));
    if (buffer_size) {
      EXPECT_EQ(S_OK, operation->AllocBuffer(buffer_size));
    }
    return operation;
  }

  bool Connected(USHORT port) {
    operation_ = NewOperation(0);
    EXPECT_EQ(S_OK, socket_->Connect(operation_.get(), 9, "127.0.0.1", port, 50));
    EXPECT_TRUE(sink_.completions.empty()) << "a completion came inside the call";
    return frame_->RunUntil([&] { return !sink_.completions.empty(); }, 10000) &&
           sink_.completions.back() == "0 0";
  }

  com::com_ptr<host::DownloadLibHost> host_;
  host::Frame* frame_ = nullptr;
  com::com_ptr<pull_tide::IAsynSocket> socket_;
  com::com_ptr<pull_tide::IAsynIoOperation> operation_;
  CompletionSink sink_;
};

TEST_F(HostFrameTest, WritesTheWindowAndReadsWhatArrives) {
  Listener listener;
  ASSERT_TRUE(Connected(listener.port()));
  ASSERT_TRUE(listener.Accept());

  operation_ = NewOperation(16);
  BYTE* data = nullptr;
  DWORD capacity = 0;
  ASSERT_EQ(S_OK, operation_->GetBuffer(&data, &capacity));
  ASSERT_EQ(16u, capacity);
  memcpy(data, "xxGET / HTTP/1.1", 16);
  operation_->SetWindow(2, 14);
  ASSERT_EQ(S_OK, socket_->Write(operation_.get()));
  ASSERT_TRUE(frame_->RunUntil([&] { return sink_.completions.size() == 2; }, 10000));
  EXPECT_EQ("0 14", sink_.completions[1]);
  EXPECT_EQ("GET / HTTP/1.1", listener.Receive(14, 10000));

  ASSERT_TRUE(listener.Send("HTTP/1.1 200 OK"));
  operation_->SetWindow(4, 8);
  ASSERT_EQ(S_OK, socket_->Read(operation_.get()));
  ASSERT_TRUE(frame_->RunUntil([&] { return sink_.completions.size() == 3; }, 10000));
  EXPECT_EQ("0 8", sink_.completions[2]) << "a read fills at most the window";
  EXPECT_EQ("HTTP/1.1", std::string(reinterpret_cast<char*>(data) + 4, 8));

  listener.ClosePeer();
  operation_->SetWindow(0, 16);
  ASSERT_EQ(S_OK, socket_->Read(operation_.get()));
  ASSERT_TRUE(frame_->RunUntil([&] { return sink_.completions.size() == 4; }, 10000));
  EXPECT_EQ("0 7", sink_.completions[3]) << "the rest that was sent before the close";
  ASSERT_EQ(S_OK, socket_->Read(operation_.get()));
  ASSERT_TRUE(frame_->RunUntil([&] { return sink_.completions.size() == 5; }, 10000));
  EXPECT_EQ("0 0", sink_.completions[4]) << "a closed peer reads as 0 bytes";
}

TEST_F(HostFrameTest, ReportsRefusedConnectionsAndReadsWithoutConnection) {
  USHORT closed_port;
  {
    Listener gone;
    closed_port = gone.port();
  }
  operation_ = NewOperation(0);
  ASSERT_EQ(S_OK, socket_->Connect(operation_.get(), 9, "127.0.0.1", closed_port, 50));
  ASSERT_TRUE(frame_->RunUntil([&] { return !sink_.completions.empty(); }, 20000));
  EXPECT_EQ(std::to_string(WSAECONNREFUSED) + " 0", sink_.completions[0]);

  com::com_ptr<pull_tide::IAsynSocket> unconnected;
  ASSERT_EQ(S_OK, frame_->CreateTcpSocket(unconnected.receive()));
  com::com_ptr<pull_tide::IAsynIoOperation> read = NewOperation(8);
  ASSERT_EQ(S_OK, unconnected->Read(read.get()));
  EXPECT_EQ(E_UNEXPECTED, unconnected->Read(read.get())) << "started twice";
  EXPECT_EQ(1, frame_->RunPending());
  EXPECT_EQ(std::to_string(WSAENOTCONN) + " 0", sink_.completions[1]);
}

TEST_F(HostFrameTest, NothingIsDeliveredAfterCancelEvenWhenTheResultWasReady) {
  // A read on an unconnected socket has its (failed) result queued at once.
  operation_ = NewOperation(8);
  ASSERT_EQ(S_OK, socket_->Read(operation_.get()));
  ASSERT_EQ(S_OK, operation_->Cancel());
  EXPECT_EQ(0, frame_->RunPending());
  EXPECT_FALSE(frame_->WaitForCompletion(50));
  EXPECT_TRUE(sink_.completions.empty());
  // The operation can be started again afterwards.
  ASSERT_EQ(S_OK, socket_->Read(operation_.get()));
  EXPECT_EQ(1, frame_->RunPending());
}

TEST_F(HostFrameTest, RepeatingTimersComeBackAndStopAllEndsThem) {
  struct TimerSink : pull_tide::IAsynTimerEvents {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnTimer(DWORD id) override {
      fired.push_back(id);
      return S_OK;
    }
    ULONG refs = 1;
    std::vector<DWORD> fired;
  } sink;
  frame_->StartTimer(&sink, 1, 100, TRUE);
  frame_->StartTimer(&sink, 2, 250, FALSE);
  EXPECT_EQ(5, frame_->Advance(400));
  EXPECT_EQ(std::vector<DWORD>({1, 1, 2, 1, 1}), sink.fired);
  frame_->StopAllTimers(&sink);
  EXPECT_EQ(0, frame_->Advance(1000));
  EXPECT_EQ(1u, sink.refs) << "the frame kept a stopped timer's sink";
}

}  // namespace
}  // namespace notifications_test

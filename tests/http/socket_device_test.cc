// The socket devices over the host stand-in's sockets.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core_fixture.h"
#include "notifications/asyn_io_frame/asyn_io_handler.h"
#include "notifications/asyn_io_frame/asyn_tcp_device.h"
#include "notifications/asyn_io_frame/limit_asyn_socket_device.h"
#include "notifications/asyn_io_frame/socket_exception.h"
#include "notifications/asyn_io_frame/speed_limit.h"
#include "loopback_listener.h"
#include "standins/host/speed_limiter.h"

namespace http_test {
namespace {

using notifications::asyn_io_operation;
using notifications::asyn_tcp_device;
using notifications::limit_asyn_socket_device;
using notifications::socket_exception;
using notifications_test::Listener;

TEST(SocketException, MessageEndsWithTheCodeAsAnUnsignedNumber) {
  struct Case {
    const char* text;
    DWORD code;
    const char* message;
  };
  const Case cases[] = {
      {"read error", 12, "read error, error code: 12"},
      {"read error", static_cast<DWORD>(-1), "read error, error code: 4294967295"},
      {"connect error", 0, "connect error, error code: 0"},
  };
  for (const Case& c : cases) {
    socket_exception exception(c.text, c.code);
    const std::exception& as_standard = exception;
    EXPECT_STREQ(c.message, as_standard.what());
    EXPECT_EQ(c.code, exception.code());
  }
}

class IdleHandler : public notifications::asyn_io_handler {
 public:
  void close() override {}
};

// A TCP device that notes in the host's call log when it is destroyed.
class NotingTcpDevice : public asyn_tcp_device {
 public:
  explicit NotingTcpDevice(host::CallLog* log) : asyn_tcp_device(nullptr), log_(log) {}
  ~NotingTcpDevice() override { log_->Add("inner device destroyed"); }

 private:
  host::CallLog* log_;
};

class SocketDeviceTest : public notifications_test::CoreTest {};

TEST_F(SocketDeviceTest, ALimitedDeviceClosesItsSocketBeforeTheInnerDeviceGoes) {
  notifications::upload_speed_limit_adapter upload;
  auto* device = new limit_asyn_socket_device(
      std::unique_ptr<asyn_tcp_device>(new NotingTcpDevice(&host_->log())), nullptr, &upload);
  com::com_ptr<pull_tide::IAsynSocket> limited(device->socket());
  auto* limited_socket = static_cast<host::LimitedSocket*>(limited.get());
  EXPECT_EQ(2, limited_socket->ref_count());
  host_->log().Clear();
  delete device;
  // The limited socket hands its Close on to the inner socket; the inner device closes it
  // again as it goes.
  EXPECT_EQ(std::vector<std::string>({"LimitedSocket.Close", "Socket.Close",
                                      "inner device destroyed", "Socket.Close"}),
            host_->log().Calls());
  EXPECT_EQ(1, limited_socket->ref_count()) << "the device kept its limited socket";
}

TEST_F(SocketDeviceTest, TheUploadAdapterTakesANewLimiterWithoutParent) {
  {
    notifications::upload_speed_limit_adapter adapter;
    ASSERT_NE(nullptr, adapter.limiter());
    adapter.set_limit(1, 2, 3);
    adapter.set_speed(7);
  }
  EXPECT_EQ(std::vector<std::string>({"CreateSpeedLimiter", "Limiter.SetParent null",
                                      "Limiter.SetLimit 1 2 3", "Limiter.SetSpeed 7"}),
            host_->log().Calls());
}

// Starting a call the host refuses (here: an operation that is already started) throws from
// the TCP device; the limited device passes the refusal over.
TEST_F(SocketDeviceTest, TheTcpDeviceThrowsWhenTheHostRefusesToStart) {
  Listener server;
  IdleHandler handler;
  asyn_tcp_device device(nullptr);
  asyn_io_operation* connect = asyn_io_operation::new_operation(&handler, 0);
  asyn_io_operation* buffer = asyn_io_operation::new_operation(&handler, 16);
  ASSERT_TRUE(connect && buffer);
  device.connect("127.0.0.1", server.port(), connect, 50);
  EXPECT_EQ(asyn_io_operation::kind_connect, connect->kind());
  EXPECT_TRUE(connect->pending());
  device.read(buffer, 16, 0);
  EXPECT_EQ(asyn_io_operation::kind_read, buffer->kind());

  struct Case {
    const char* what;
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {"connect", [&] { device.connect("127.0.0.1", server.port(), connect, 50); },
       "connect error, error code: 4294967295"},
      {"read", [&] { device.read(buffer, 16, 0); }, "read error, error code: 4294967295"},
      {"write", [&] { device.write(buffer, 16, 0); }, "write error, error code: 4294967295"},
      {"write_variant", [&] { device.write_variant(buffer, 16, 0); },
       "write error, error code: 4294967295"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what << " did not throw";
    } catch (const std::exception& exception) {
      EXPECT_STREQ(c.message, exception.what()) << c.what;
    }
  }
  ASSERT_TRUE(server.Accept(10000));
  ASSERT_TRUE(host_->frame()->RunUntil([&] { return !connect->pending(); }, 10000));
  notifications::socket_address remote = {};
  EXPECT_TRUE(device.remote_address(&remote));
  EXPECT_EQ(2, remote.family);
  EXPECT_EQ(htons(server.port()), remote.port);
  EXPECT_EQ(htonl(INADDR_LOOPBACK), remote.address);
}

}  // namespace
}  // namespace http_test

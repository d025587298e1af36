// A command of the tests on the host stand-in's frame (manual clock), talking to a server on
// 127.0.0.1 that the test scripts byte by byte. The frame delivers completions on the test's thread while it waits.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core_fixture.h"
#include "loopback_listener.h"
#include "recording_command.h"

namespace http_test {

using notifications_test::Listener;

inline constexpr DWORD kWaitMs = 10000;

// A short GET, as the fetching commands send it.
inline const char kRequest[] = "GET /v3/a/windows.js HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";

class ExchangeTest : public notifications_test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    NewCommand();
  }
  void TearDown() override {
    delete command_;
    CoreTest::TearDown();
  }

  host::Frame* frame() { return host_->frame(); }

  // A fresh command and an empty call log, for the next row of a table.
  void NewCommand() {
    delete command_;
    command_ = new RecordingCommand();
    host_->log().Clear();
  }

  // Runs the frame until `done` or kWaitMs of real time.
  bool RunUntil(const std::function<bool()>& done) { return frame()->RunUntil(done, kWaitMs); }

  // Posts `request` to the server, accepts the connection and reads the request text there;
  // the command then waits for the response.
  void StartExchange(Listener& server, const std::string& request) {
    command_->set_server("127.0.0.1", server.port());
    command_->post_request(request);
    ASSERT_TRUE(server.Accept(kWaitMs)) << "the command did not connect";
    ASSERT_TRUE(RunUntil([&] {
      return command_->status() == RecordingCommand::status_receiving || command_->finished();
    })) << "the request was not sent";
    EXPECT_EQ(request, server.Receive(request.size(), kWaitMs));
  }

  // Sends `piece` and lets the command read all of it (or end).
  void Deliver(Listener& server, const std::string& piece) {
    const size_t target = command_->bytes_read + piece.size();
    const int endings = command_->endings;
    ASSERT_TRUE(server.Send(piece));
    ASSERT_TRUE(RunUntil([&] { return command_->bytes_read >= target || command_->endings > endings; }))
        << "the command did not read what was sent";
  }

  void WaitForEnd() { ASSERT_TRUE(RunUntil([&] { return command_->finished(); })) << "no ending"; }

  // The window of each read the command started, in order.
  std::vector<DWORD> ReadWindows() {
    std::vector<DWORD> windows;
    for (const std::string& call : host_->log().CallsStartingWith("Socket.Read "))
      windows.push_back(std::stoul(call.substr(12)));
    return windows;
  }

  RecordingCommand* command_ = nullptr;
};

}  // namespace http_test

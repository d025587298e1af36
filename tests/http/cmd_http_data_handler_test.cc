// One HTTP exchange of the command base against a scripted server on 127.0.0.1: how the
// response header and body are read and how every exchange ends.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "assertion_capture.h"
#include "exchange_fixture.h"

namespace http_test {
namespace {

const std::string kStatus = "HTTP/1.1 200 OK\r\n";  // 17 bytes

// Bytes of every value, so that a misplaced copy shows.
std::string Pattern(size_t size) {
  std::string text(size, '\0');
  for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>(i % 251);
  return text;
}

// A header of exactly `size` bytes: the status line, `lines`, a filler line and `end`.
std::string HeaderOfSize(size_t size, const std::string& lines, const std::string& end) {
  const std::string start = kStatus + lines + "X-Fill: ";
  return start + std::string(size - start.size() - end.size(), 'f') + end;
}

const std::string kHeader8192 = HeaderOfSize(8192, "Content-Length: 0\r\n", "\r\n\r\n");

struct ExchangeCase {
  const char* what;
  std::vector<std::string> pieces;  // each sent once the command has read the one before
  bool close_early;                 // the server closes after the pieces
  std::string outcome;
  std::string body;
  std::vector<DWORD> reads;  // the window of each read started
};

const ExchangeCase kExchanges[] = {
    {"header in pieces, read on at the end of what arrived",
     {"HTTP/1.1 200 OK\r\nCon", "tent-Length: 5\r\n\r", "\nhel", "lo"}, false, "response 5",
     "hello", {8192, 8172, 8155, 2}},
    {"header and complete body in the first read",
     {kStatus + "Content-Length: 5\r\n\r\nhello"}, false, "response 5", "hello", {8192}},
    {"body in pieces, read exactly", {kStatus + "Content-Length: 10\r\n\r\nabc", "defg", "hij"},
     false, "response 10", "abcdefghij", {8192, 7, 3}},
    {"Content-Length 0 and nothing after", {kStatus + "Content-Length: 0\r\n\r\n"}, false,
     "response 0", "", {8192}},
    {"name in lower case, value right after the colon",
     {kStatus + "content-length:5\r\n\r\nhello"}, false, "response 5", "hello", {8192}},
    {"value after several blanks", {kStatus + "Content-Length:     5\r\n\r\nhello"}, false,
     "response 5", "hello", {8192}},
    {"a blank before the colon makes the length 0", {kStatus + "Content-Length : 5\r\n\r\n"},
     false, "response 0", "", {8192}},
    {"a sign before the digits makes the length 0", {kStatus + "Content-Length: +5\r\n\r\n"},
     false, "response 0", "", {8192}},
    {"a 404 with a body is handed on",
     {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"}, false, "response 9",
     "not found", {8192}},
    {"Content-Length 8193 in a buffer of its own",
     {kStatus + "Content-Length: 8193\r\n\r\n", Pattern(8193)}, false, "response 8193",
     Pattern(8193), {8192, 8193}},
    {"8191 header bytes lead to a read of 1 byte", {kHeader8192.substr(0, 8191), "\n"}, false,
     "response 0", "", {8192, 1}},
    {"8192 header bytes without their end", {HeaderOfSize(8192, "Content-Length: 0\r\n", "")},
     false, "done 104 0", "", {8192}},
    {"no Content-Length (chunked)",
     {kStatus + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n"}, false,
     "done 104 0", "", {8192}},
    {"more body than the length in the first read", {kStatus + "Content-Length: 2\r\n\r\nabc"},
     false, "done 104 0", "", {8192}},
    {"a negative length", {kStatus + "Content-Length: -1\r\n\r\n"}, false, "done 104 0", "",
     {8192}},
    {"a length above 32 MiB", {kStatus + "Content-Length: 33554433\r\n\r\n"}, false,
     "done 104 0", "", {8192}},
    {"the server closes before the body is complete",
     {kStatus + "Content-Length: 10\r\n\r\nabc"}, true, "done 103 0", "", {8192, 7}},
    {"the server closes before sending anything", {}, true, "done 103 0", "", {8192}},
};

TEST_F(ExchangeTest, ReadsTheResponseAsTheTableSays) {
  for (const ExchangeCase& c : kExchanges) {
    SCOPED_TRACE(c.what);
    NewCommand();
    Listener server;
    StartExchange(server, kRequest);
    for (const std::string& piece : c.pieces) Deliver(server, piece);
    if (c.close_early) server.ClosePeer();
    WaitForEnd();

    EXPECT_EQ(c.outcome, command_->outcome);
    EXPECT_TRUE(c.body == command_->body) << "body of " << command_->body.size() << " bytes";
    EXPECT_EQ(1, command_->endings);
    EXPECT_TRUE(command_->idle_at_end);
    EXPECT_EQ(c.reads, ReadWindows());
    // The command closed: no operation is left and the server sees the connection end.
    EXPECT_EQ(0u, command_->operation_count());
    EXPECT_FALSE(command_->connected());
    if (!c.close_early) {
      EXPECT_EQ("", server.Receive(1, kWaitMs));
    }
  }
}

TEST_F(ExchangeTest, ABodyOf8193BytesGetsA8194ByteBuffer) {
  Listener server;
  StartExchange(server, kRequest);
  Deliver(server, kStatus + "Content-Length: 8193\r\n\r\nab");
  Deliver(server, Pattern(8191));
  WaitForEnd();
  EXPECT_EQ("response 8193", command_->outcome);
  EXPECT_EQ("ab" + Pattern(8191), command_->body);
  // The header buffers of post_request and of the start of receiving, then the body's.
  EXPECT_EQ(std::vector<std::string>({"AllocBuffer 8193", "AllocBuffer 8193", "AllocBuffer 8194"}),
            host_->log().CallsStartingWith("AllocBuffer 81"));
}

TEST_F(ExchangeTest, ConnectsThroughALimitedSocketAndReportsARefusal) {
  Listener refusing(false);
  command_->set_server("127.0.0.1", refusing.port());
  command_->post_request(kRequest);
  WaitForEnd();
  EXPECT_EQ("done 101 10061", command_->outcome);  // WSAECONNREFUSED
  EXPECT_TRUE(command_->idle_at_end);
  const std::vector<std::string> calls = host_->log().Calls();
  const std::vector<std::string> expected = {
      "CreateIoOperation",
      "CreateIoOperation",
      "AllocBuffer 8193",
      "CreateTcpSocket",
      "CreateLimitedSocket upload",
      "Socket.Connect 127.0.0.1 " + std::to_string(refusing.port()) + " 50"};
  ASSERT_LE(expected.size(), calls.size());
  EXPECT_EQ(expected, std::vector<std::string>(calls.begin(), calls.begin() + expected.size()));
}

TEST_F(ExchangeTest, ASecondRequestWhileBusyAsserts) {
  Listener server;
  StartExchange(server, kRequest);
  std::optional<std::string> message =
      notifications_test::CaptureAssertion([&] { command_->post_request(kRequest); });
  ASSERT_TRUE(message) << "a second request was accepted";
  EXPECT_EQ("_status == status_idle not true, detail: skyrend_assert",
            notifications_test::WithoutLocation(*message));
  // The first exchange goes on.
  Deliver(server, kStatus + "Content-Length: 2\r\n\r\nok");
  WaitForEnd();
  EXPECT_EQ("response 2", command_->outcome);
}

TEST_F(ExchangeTest, AnOpenConnectionCarriesTheNextRequest) {
  command_->keep_connection = true;
  Listener server;
  StartExchange(server, kRequest);
  Deliver(server, kStatus + "Content-Length: 3\r\n\r\none");
  WaitForEnd();
  ASSERT_TRUE(command_->connected());
  host_->log().Clear();

  const std::string second = "GET /second HTTP/1.1\r\n\r\n";
  command_->post_request(second);
  EXPECT_EQ(RecordingCommand::status_sending, command_->status());
  ASSERT_TRUE(RunUntil([&] { return command_->status() == RecordingCommand::status_receiving; }));
  EXPECT_EQ(second, server.Receive(second.size(), kWaitMs));
  Deliver(server, kStatus + "Content-Length: 3\r\n\r\ntwo");
  EXPECT_EQ(2, command_->endings);
  EXPECT_EQ("response 3", command_->outcome);
  EXPECT_EQ("two", command_->body);
  EXPECT_TRUE(host_->log().CallsStartingWith("Socket.Connect").empty());
  EXPECT_TRUE(host_->log().CallsStartingWith("CreateTcpSocket").empty());
  command_->close();
  EXPECT_EQ("", server.Receive(1, kWaitMs));
}

// Request texts up to 65535 bytes go out whole; a longer one is refused before connecting.
TEST_F(ExchangeTest, RequestTextsMustStayBelow65536Bytes) {
  const std::string longest = "GET /" + std::string(65535 - 5 - 4, 'a') + "\r\n\r\n";
  ASSERT_EQ(65535u, longest.size());
  Listener server;
  StartExchange(server, longest);
  Deliver(server, kStatus + "Content-Length: 0\r\n\r\n");
  EXPECT_EQ("response 0", command_->outcome);

  NewCommand();
  command_->set_server("127.0.0.1", server.port());
  command_->post_request(longest + "a");
  EXPECT_EQ("done 255 0", command_->outcome);
  EXPECT_TRUE(command_->idle_at_end);
  EXPECT_TRUE(host_->log().CallsStartingWith("Socket.Connect").empty());
  EXPECT_EQ(0u, command_->operation_count());
}

// The server's side on a thread of its own, so that it can send more than the sockets
// buffer while the frame delivers on the test's thread.
struct ServerScript {
  Listener* server;
  std::string response;  // sent once the request is in
  bool close_after;
  std::string request_seen;
};

DWORD WINAPI RunServerScript(void* param) {
  auto* script = static_cast<ServerScript*>(param);
  if (!script->server->Accept(kWaitMs)) return 1;
  script->request_seen = script->server->Receive(sizeof(kRequest) - 1, kWaitMs);
  script->server->Send(script->response);
  if (script->close_after) script->server->ClosePeer();
  return 0;
}

TEST_F(ExchangeTest, ALargeBodyComesWholeOrEndsWithTheConnection) {
  const std::string body = Pattern(1 << 20);
  const std::string header = kStatus + "Content-Length: 1048576\r\n\r\n";
  struct Case {
    const char* what;
    size_t body_sent;
    bool close_after;
    const char* outcome;
  };
  const Case cases[] = {
      {"whole body", body.size(), false, "response 1048576"},
      {"the server closes after 600000 bytes", 600000, true, "done 103 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewCommand();
    Listener server;
    ServerScript script{&server, header + body.substr(0, c.body_sent), c.close_after, ""};
    command_->set_server("127.0.0.1", server.port());
    command_->post_request(kRequest);
    HANDLE thread = CreateThread(nullptr, 0, &RunServerScript, &script, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForEnd();
    if (WaitForSingleObject(thread, kWaitMs) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the server's thread did not end";
      server.ClosePeer();
      WaitForSingleObject(thread, kWaitMs);
    }
    CloseHandle(thread);
    EXPECT_EQ(kRequest, script.request_seen);
    EXPECT_EQ(c.outcome, command_->outcome);
    if (!c.close_after) {
      EXPECT_TRUE(body == command_->body) << command_->body.size() << " bytes";
    }
  }
}

struct ShortageCase {
  const char* what;
  int operations_before_failure;  // -1: none fails
  DWORD failing_buffer;           // 0: none fails
  bool refuse_send;               // prepare_send says no
  bool connects;
  std::string response;  // sent once the request is in
  std::string outcome;
};

const ShortageCase kShortages[] = {
    {"no operation to connect with", 0, 0, false, false, "", "done 255 0"},
    {"no operation for the header", 1, 0, false, false, "", "done 255 0"},
    {"no header buffer", -1, 8193, false, false, "", "done 255 0"},
    {"no operation for the request text", 2, 0, false, true, "", "done 102 4294967295"},
    {"no operation for the header after sending", 3, 0, false, true, "", "done 255 0"},
    {"no body buffer", -1, 5000, false, true, kStatus + "Content-Length: 5000\r\n\r\nabc",
     "done 255 0"},
    {"the command refuses to send", -1, 0, true, true, "", "done 255 0"},
};

// A host short of memory never makes the command use an object it did not get.
TEST_F(ExchangeTest, MissingObjectsAndARefusedSendEndTheExchange) {
  for (const ShortageCase& c : kShortages) {
    SCOPED_TRACE(c.what);
    NewCommand();
    frame()->FailIoOperationAfter(c.operations_before_failure);
    frame()->FailAllocBufferOfSize(c.failing_buffer);
    command_->refuse_send = c.refuse_send;
    Listener server;
    command_->set_server("127.0.0.1", server.port());
    command_->post_request(kRequest);
    if (c.connects) {
      ASSERT_TRUE(server.Accept(kWaitMs));
      ASSERT_TRUE(RunUntil([&] {
        return command_->status() == RecordingCommand::status_receiving || command_->finished();
      }));
      if (!c.response.empty()) {
        EXPECT_EQ(kRequest, server.Receive(sizeof(kRequest) - 1, kWaitMs));
        ASSERT_TRUE(server.Send(c.response));
      }
      WaitForEnd();
    }
    EXPECT_EQ(c.outcome, command_->outcome);
    EXPECT_EQ(1, command_->endings);
    EXPECT_TRUE(command_->idle_at_end);
    EXPECT_EQ(c.connects ? 1u : 0u, host_->log().CallsStartingWith("Socket.Connect").size());
    EXPECT_EQ(0u, command_->operation_count());
    frame()->FailIoOperationAfter(-1);
    frame()->FailAllocBufferOfSize(0);
  }
}

// The fetching commands' own timeout: the send operation goes, the command reports and
// closes, and nothing of the exchange reaches it afterwards.
TEST_F(ExchangeTest, AfterATimeoutNothingOfTheExchangeArrives) {
  for (bool receiving : {false, true}) {
    SCOPED_TRACE(receiving ? "while receiving" : "while connecting");
    NewCommand();
    Listener server;
    if (receiving) {
      StartExchange(server, kRequest);
    } else {
      command_->set_server("127.0.0.1", server.port());
      command_->post_request(kRequest);
      ASSERT_EQ(RecordingCommand::status_connecting, command_->status());
    }
    command_->release_send_operation();
    // While receiving there is no send operation left: nothing changes.
    EXPECT_EQ(receiving ? RecordingCommand::status_receiving : RecordingCommand::status_idle,
              command_->status());
    command_->on_done(34103, 0);
    EXPECT_EQ(0u, command_->operation_count());
    EXPECT_FALSE(command_->connected());
    if (receiving) {
      ASSERT_TRUE(server.Send(kStatus + "Content-Length: 2\r\n\r\nok"));
    }
    EXPECT_FALSE(frame()->WaitForCompletion(200)) << "a completion came after the close";
    EXPECT_EQ(1, command_->endings);
    EXPECT_EQ("done 34103 0", command_->outcome);
  }
}

}  // namespace
}  // namespace http_test

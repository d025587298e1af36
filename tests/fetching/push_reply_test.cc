// Filtering one attribute's push reply and merging it into the pass's document.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "notifications/json/writer.h"
#include "notifications/message_store/push_reply.h"

namespace fetching_test {
namespace {

using notifications::merge_push_reply;

const std::int64_t kNow = 1700000000;

std::string Text(const json::Object& object) {
  std::ostringstream text;
  json::Writer::Write(object, text);
  return text.str();
}

json::Object Merge(const std::string& body, unsigned index, json::Object document) {
  merge_push_reply(body.data(), body.size(), index, kNow, document);
  return document;
}

std::string Message(int id, std::int64_t start, std::int64_t end) {
  return "{\"msgid\":" + std::to_string(id) + ",\"starttime\":" + std::to_string(start) +
         ",\"endtime\":" + std::to_string(end) + "}";
}

// The msgids of the document's "message" array, in order.
std::string Ids(json::Object document) {
  std::string ids;
  for (json::UnknownElement& message : document["message"].AsArray())
    ids += (ids.empty() ? "" : ",") + std::to_string(static_cast<long long>(
                                           message["msgid"].AsNumber().Value()));
  return ids;
}

TEST(PushReplyTest, KeepsOnlyMessagesWhoseWindowStrictlyHoldsNow) {
  struct Case {
    const char* what;
    std::string message;
    bool kept;
  } cases[] = {
      {"inside", Message(1, kNow - 1, kNow + 1), true},
      {"start equals now", Message(2, kNow, kNow + 100), false},
      {"end equals now", Message(3, kNow - 100, kNow), false},
      {"not yet valid", Message(4, kNow + 1, kNow + 100), false},
      {"expired", Message(5, kNow - 100, kNow - 1), false},
      {"no endtime", "{\"msgid\":6,\"starttime\":1}", false},
      {"fractional bounds truncated", "{\"msgid\":7,\"starttime\":1699999999.9,"
                                      "\"endtime\":1700000000.9}", false},
      {"endtime past 2038 saturates", Message(8, kNow - 1, 99999999999LL), true},
      {"bounds as strings", "{\"msgid\":9,\"starttime\":\"1\",\"endtime\":\"1800000000\"}",
       false},
  };
  for (const Case& c : cases) {
    std::string body = "{\"platform\":\"windows\",\"message\":[" + c.message + "]}";
    json::Object later = Merge(body, 1, json::Object());
    EXPECT_EQ(c.kept ? 1u : 0u, later["message"].AsArray().Size()) << c.what;
    json::Object first = Merge(body, 0, json::Object());
    EXPECT_EQ(c.kept ? 1u : 0u, first["message"].AsArray().Size()) << c.what << " (first)";
  }
}

TEST(PushReplyTest, NonObjectElementsBecomeEmptyObjectsAndAreDropped) {
  json::Object document =
      Merge("{\"platform\":\"windows\",\"message\":[1,\"x\",null,[2]," +
                Message(10, kNow - 5, kNow + 5) + ",true]}",
            0, json::Object());
  EXPECT_EQ("10", Ids(document));
}

TEST(PushReplyTest, FirstAttributeReplacesTheDocumentWhateverItsPlatform) {
  json::Object previous;
  previous["message"].AsArray().Insert(json::UnknownElement(json::Number(99)));
  previous["stale"].AsString().Value() = "yes";

  const std::string other = "{\"platform\":\"mac\",\"extra\":true,\"message\":[" +
                            Message(20, kNow + 50, kNow + 60) + "]}";
  json::Object document = Merge(other, 0, previous);
  EXPECT_EQ("{\n\t\"platform\" : \"mac\",\n\t\"extra\" : true,\n\t\"message\" : [\n\t\t{\n"
            "\t\t\t\"msgid\" : 20,\n\t\t\t\"starttime\" : 1700000050,\n"
            "\t\t\t\"endtime\" : 1700000060\n\t\t}\n\t]\n}",
            Text(document))
      << "a non-windows first reply must be taken unchanged and unfiltered";
}

TEST(PushReplyTest, LaterAttributesAppendCopiesAndNonWindowsRepliesAddNothing) {
  json::Object document = Merge("{\"platform\":\"windows\",\"message\":[" +
                                    Message(1, kNow - 1, kNow + 1) + "]}",
                                0, json::Object());
  document = Merge("{\"platform\":\"windows\",\"message\":[" + Message(1, kNow - 1, kNow + 1) +
                       "," + Message(2, kNow - 1, kNow + 1) + "]}",
                   1, document);
  document = Merge("{\"platform\":\"linux\",\"message\":[" + Message(3, kNow - 1, kNow + 1) +
                       "]}",
                   2, document);
  EXPECT_EQ("1,1,2", Ids(document)) << "duplicates across attributes are kept";
  EXPECT_EQ(std::string::npos, Text(document).find("linux"));
}

TEST(PushReplyTest, ALaterReplyCreatesTheMessageListWhenTheDocumentHasNone) {
  json::Object document;
  document["platform"].AsString().Value() = "mac";
  document = Merge("{\"platform\":\"windows\",\"message\":[" + Message(7, kNow - 1, kNow + 1) +
                       "]}",
                   3, document);
  EXPECT_EQ("7", Ids(document));
}

TEST(PushReplyTest, UnreadableBodiesThrowAndLeaveTheDocumentAlone) {
  json::Object document;
  document["message"].AsArray().Insert(json::UnknownElement(json::Number(1)));
  const std::string before = Text(document);
  const char* bodies[] = {"",        "   ",          "[1,2]", "{\"a\":1}x", "{\"a\":1,}",
                          "{\"a\":", "{\"a\":1-2}",  "nul",   "\xff\xfe",  "{\"a\":\"\\q\"}"};
  for (const char* body : bodies) {
    for (unsigned index : {0u, 1u}) {
      EXPECT_THROW(merge_push_reply(body, strlen(body), index, kNow, document), std::exception)
          << body;
      EXPECT_EQ(before, Text(document)) << body;
    }
  }
}

}  // namespace
}  // namespace fetching_test

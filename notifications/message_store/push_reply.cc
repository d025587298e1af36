#include "notifications/message_store/push_reply.h"

#include <windows.h>

#include <utility>

#include "notifications/json/reader.h"
#include "notifications/message_store/message_fields.h"

namespace notifications {
namespace {

bool valid_at(const json::UnknownElement& message, std::int64_t now) {
  std::int64_t start = message_number(message, "starttime");
  std::int64_t end = message_number(message, "endtime");
  return start < now && now < end;
}

}  // namespace

void merge_push_reply(const char* body, std::size_t length, unsigned attribute_index,
                      std::int64_t now, json::Object& document) {
  json::Object reply;
  json::Reader::Read(reply, body, length);
  json::Array& merged = document["message"].AsArray();

  if (reply["platform"].AsString().Value() == "windows") {
    json::Array& messages = reply["message"].AsArray();
    for (json::Array::iterator cursor = messages.begin(); cursor != messages.end();) {
      cursor->AsObject();  // an element of another kind becomes an empty object
      if (!valid_at(*cursor, now)) {
        cursor = messages.Erase(cursor);
        continue;
      }
      if (attribute_index != 0) merged.Insert(*cursor);
      ++cursor;
    }
  }
  if (attribute_index == 0) document = std::move(reply);
}

std::int64_t current_unix_time() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks;
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  // 100 ns ticks since 1601-01-01; 11644473600 s lie between 1601 and 1970.
  return static_cast<std::int64_t>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

}  // namespace notifications

// The process-wide counts of what happened to the plug-in's requests, keyed by the decimal
// text of the event code and so ordered by that text. They are reported, and then cleared,
// at the end of a pass that leaves messages for the client.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace notifications {

// Event codes of the fetching commands.
enum event_code : int {
  EVENT_PUSH_REPLY = 34101,
  EVENT_PUSH_FAILED = 34102,
  EVENT_PUSH_TIMEOUT = 34103,
  EVENT_USER_GROUP_REPLY = 34104,
  EVENT_USER_GROUP_FAILED = 34105,
  EVENT_USER_GROUP_TIMEOUT = 34106,
  EVENT_PUSH_REPLY_UNUSABLE = 34201,
  EVENT_USER_GROUP_REPLY_UNUSABLE = 34202,
};

using event_counts = std::map<std::string, LONGLONG>;

void count_event(int code);
void clear_events();
// A copy of the counts as they are now.
event_counts events_snapshot();

}  // namespace notifications

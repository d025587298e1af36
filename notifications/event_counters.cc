#include "notifications/event_counters.h"

namespace notifications {
namespace {

// Used only on the thread that delivers the frame's callbacks and the one that
// initialises the plug-in, never at the same time: no lock.
event_counts& Counts() {
  static event_counts counts;
  return counts;
}

}  // namespace

void count_event(int code) { ++Counts()[std::to_string(code)]; }

void clear_events() { Counts().clear(); }

event_counts events_snapshot() { return Counts(); }

}  // namespace notifications

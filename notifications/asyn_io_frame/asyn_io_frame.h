// asyn_io_frame: the process-wide wrapper of the host's frame, through which plug-in
// handlers arm and stop their timers. It points at the frame held by BaseComFactory
// without counting it.
#pragma once

#include <windows.h>

#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class timeout_handler;

// One day less 10 ms: the longest interval the frame takes.
inline constexpr DWORD MAX_TIMER_MILLISECOND = 86399990;

class asyn_io_frame {
 public:
  // Creates the wrapper on first use (BaseComFactory must exist then).
  static asyn_io_frame* instance();
  static bool exists();
  // Deletes the wrapper if there is one.
  static void destroy_instance();

  virtual ~asyn_io_frame() = default;

  // Replaces any running timer `id` of the handler; `millisecond` is 1 to
  // MAX_TIMER_MILLISECOND.
  void set_timer(timeout_handler* handler, DWORD millisecond, DWORD id, bool flag);
  void kill_timer(timeout_handler* handler, DWORD id);
  void kill_all_timers(timeout_handler* handler);

 private:
  explicit asyn_io_frame(pull_tide::IAsynFrame* frame) : frame_(frame) {}
  asyn_io_frame(const asyn_io_frame&) = delete;
  asyn_io_frame& operator=(const asyn_io_frame&) = delete;

  pull_tide::IAsynFrame* frame_;
};

}  // namespace notifications

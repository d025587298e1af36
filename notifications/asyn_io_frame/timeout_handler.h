// timeout_handler: the base of every plug-in object that receives frame timers. It owns
// its timer sink; destroying it stops all of its timers first.
#pragma once

#include <windows.h>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class timeout_handler {
 public:
  timeout_handler();
  virtual ~timeout_handler();
  timeout_handler(const timeout_handler&) = delete;
  timeout_handler& operator=(const timeout_handler&) = delete;

  virtual void on_timer(DWORD id) {}

  pull_tide::IAsynTimerEvents* timer_sink() const { return timer_sink_.get(); }

 private:
  com::com_ptr<pull_tide::IAsynTimerEvents> timer_sink_;
};

}  // namespace notifications

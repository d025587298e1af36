// asyn_message_events: receiver of the frame's messages; every class of the plug-in
// ignores them.
#pragma once

#include <windows.h>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class asyn_message_events {
 public:
  asyn_message_events();
  virtual ~asyn_message_events();
  asyn_message_events(const asyn_message_events&) = delete;
  asyn_message_events& operator=(const asyn_message_events&) = delete;

  virtual void on_message(DWORD a, DWORD b, DWORD c) {}
  virtual void on_message2(DWORD a, DWORD b, DWORD c) {}

  pull_tide::IAsynMessageEvents* message_sink() const { return message_sink_.get(); }

 private:
  com::com_ptr<pull_tide::IAsynMessageEvents> message_sink_;
};

}  // namespace notifications

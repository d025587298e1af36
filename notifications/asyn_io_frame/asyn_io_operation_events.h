// asyn_io_operation_events: receiver of one host operation's completions through its own
// callback object.
#pragma once

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class asyn_io_operation_events {
 public:
  asyn_io_operation_events();
  virtual ~asyn_io_operation_events();
  asyn_io_operation_events(const asyn_io_operation_events&) = delete;
  asyn_io_operation_events& operator=(const asyn_io_operation_events&) = delete;

  virtual void on_complete(pull_tide::IAsynIoOperation* operation) = 0;

  pull_tide::IAsynIoOperationEvents* operation_sink() const { return operation_sink_.get(); }

 private:
  com::com_ptr<pull_tide::IAsynIoOperationEvents> operation_sink_;
};

}  // namespace notifications

// asyn_io_handler: the base of every plug-in object that owns asynchronous operations.
// It receives their completions, and destroying it cancels and deletes whatever it
// still owns, so no completion reaches a handler that is gone.
#pragma once

#include <windows.h>

#include <set>

#include "base/synchronization/lock.h"
#include "notifications/asyn_io_frame/asyn_message_events.h"
#include "notifications/asyn_io_frame/timeout_handler.h"

namespace notifications {

class asyn_io_operation;

class asyn_io_handler : public timeout_handler, public asyn_message_events {
 public:
  asyn_io_handler() = default;
  ~asyn_io_handler() override;

  void on_timer(DWORD id) override {}
  virtual void on_io_complete(asyn_io_operation* operation) {}
  virtual void close() = 0;

  void add_operation(asyn_io_operation* operation_ptr);
  void remove_operation(asyn_io_operation* operation_ptr);
  // Takes the operation out of the set, cancels it when it is still pending and deletes it.
  void delete_operation(asyn_io_operation* operation_ptr);

  size_t operation_count();

 private:
  std::set<asyn_io_operation*> operations_;
  base::Lock operations_lock_;
};

}  // namespace notifications

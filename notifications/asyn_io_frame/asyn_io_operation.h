// asyn_io_operation: one host I/O operation with its buffer, owned by an asyn_io_handler
// from construction until the handler deletes it. A device starts it (read, write or
// connect); its completion goes to the handler's on_io_complete.
#pragma once

#include <windows.h>

#include "notifications/asyn_io_frame/asyn_io_operation_events.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class asyn_io_handler;

class asyn_io_operation : public asyn_io_operation_events {
 public:
  enum kind_t : DWORD { kind_none = 0, kind_read = 2, kind_write = 3, kind_connect = 4 };

  asyn_io_operation(asyn_io_handler* handler, DWORD buffer_size);
  ~asyn_io_operation() override;

  // A new operation registered with `handler`, or null when memory runs out or the host
  // could not make the operation or its buffer.
  static asyn_io_operation* new_operation(asyn_io_handler* handler, DWORD buffer_size);

  void on_complete(pull_tide::IAsynIoOperation* asynIoOperation_ptr) override;
  virtual void notify_handler();

  // Abandons the started operation: no completion follows, and it no longer belongs to
  // its handler.
  void cancel();
  // True when the last completion succeeded (error 0).
  bool get_result(DWORD* bytes, DWORD* error);
  BYTE* buffer();
  DWORD buffer_capacity();
  asyn_io_handler* handler_ptr() const { return m_io_handler_ptr; }
  pull_tide::IAsynIoOperation* host_operation() const { return m_spAsynIoOperation.get(); }

  // Set by the device that starts the operation.
  void set_started(kind_t kind) {
    kind_ = kind;
    pending_ = true;
  }
  kind_t kind() const { return kind_; }
  bool pending() const { return pending_; }

 private:
  bool usable(DWORD buffer_size);

  com::com_ptr<pull_tide::IAsynIoOperation> m_spAsynIoOperation;
  asyn_io_handler* m_io_handler_ptr;
  kind_t kind_ = kind_none;
  bool pending_ = false;
};

}  // namespace notifications

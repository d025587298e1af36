#include "notifications/asyn_io_frame/asyn_io_handler.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_io_operation.h"

namespace notifications {

asyn_io_handler::~asyn_io_handler() {
  base::AutoLock hold(operations_lock_);
  for (auto it = operations_.begin(); it != operations_.end();) {
    asyn_io_operation* operation = *it;
    if (operation->pending()) operation->cancel();
    delete operation;
    it = operations_.erase(it);
  }
}

void asyn_io_handler::add_operation(asyn_io_operation* operation_ptr) {
  SKYREND_ASSERT(NULL != operation_ptr);
  base::AutoLock hold(operations_lock_);
  operations_.insert(operation_ptr);
}

void asyn_io_handler::remove_operation(asyn_io_operation* operation_ptr) {
  SKYREND_ASSERT(NULL != operation_ptr);
  base::AutoLock hold(operations_lock_);
  operations_.erase(operation_ptr);
}

void asyn_io_handler::delete_operation(asyn_io_operation* operation_ptr) {
  SKYREND_ASSERT(operation_ptr->handler_ptr() == this);
  remove_operation(operation_ptr);
  if (operation_ptr->pending()) operation_ptr->cancel();
  delete operation_ptr;
}

size_t asyn_io_handler::operation_count() {
  base::AutoLock hold(operations_lock_);
  return operations_.size();
}

}  // namespace notifications

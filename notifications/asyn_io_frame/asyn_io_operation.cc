#include "notifications/asyn_io_frame/asyn_io_operation.h"

#include <new>

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_io_handler.h"
#include "notifications/base_com_factory.h"

namespace notifications {

asyn_io_operation::asyn_io_operation(asyn_io_handler* handler, DWORD buffer_size)
    : m_io_handler_ptr(handler) {
  SKYREND_ASSERT(NULL != m_io_handler_ptr);
  BaseComFactory::Instance()->CreateIoOperation(operation_sink(), m_spAsynIoOperation.receive());
  if (m_spAsynIoOperation) m_spAsynIoOperation->SetContext(this);
  m_io_handler_ptr->add_operation(this);
  if (buffer_size != 0 && m_spAsynIoOperation) m_spAsynIoOperation->AllocBuffer(buffer_size);
}

// The host operation goes first, then (in the base) the callback object it reported to.
asyn_io_operation::~asyn_io_operation() { m_spAsynIoOperation.reset(); }

asyn_io_operation* asyn_io_operation::new_operation(asyn_io_handler* handler,
                                                    DWORD buffer_size) {
  asyn_io_operation* operation = new (std::nothrow) asyn_io_operation(handler, buffer_size);
  if (operation && !operation->usable(buffer_size)) {
    handler->delete_operation(operation);
    return nullptr;
  }
  return operation;
}

bool asyn_io_operation::usable(DWORD buffer_size) {
  if (!m_spAsynIoOperation) return false;
  return buffer_size == 0 || (buffer() && buffer_capacity() >= buffer_size);
}

void asyn_io_operation::on_complete(pull_tide::IAsynIoOperation* asynIoOperation_ptr) {
  SKYREND_ASSERT(m_spAsynIoOperation == asynIoOperation_ptr);
  pending_ = false;
  if (!m_io_handler_ptr) {
    delete this;
    return;
  }
  notify_handler();
}

void asyn_io_operation::notify_handler() { m_io_handler_ptr->on_io_complete(this); }

void asyn_io_operation::cancel() {
  if (m_spAsynIoOperation) m_spAsynIoOperation->Cancel();
  pending_ = false;
  m_io_handler_ptr = nullptr;
}

bool asyn_io_operation::get_result(DWORD* bytes, DWORD* error) {
  DWORD result_error = 0, result_bytes = 0;
  m_spAsynIoOperation->GetResult(&result_error, &result_bytes);
  if (bytes) *bytes = result_bytes;
  if (error) *error = result_error;
  return result_error == 0;
}

BYTE* asyn_io_operation::buffer() {
  BYTE* data = nullptr;
  DWORD capacity = 0;
  m_spAsynIoOperation->GetBuffer(&data, &capacity);
  return data;
}

DWORD asyn_io_operation::buffer_capacity() {
  BYTE* data = nullptr;
  DWORD capacity = 0;
  m_spAsynIoOperation->GetBuffer(&data, &capacity);
  return capacity;
}

}  // namespace notifications

#include "notifications/asyn_io_frame/asyn_callbacks.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_io_operation_events.h"
#include "notifications/asyn_io_frame/asyn_message_events.h"
#include "notifications/asyn_io_frame/timeout_handler.h"

namespace notifications {

void CAsynIoOperationEvents::set_receiver(asyn_io_operation_events* operation_events_ptr) {
  SKYREND_ASSERT(NULL != operation_events_ptr);
  m_operation_events_ptr = operation_events_ptr;
}

HRESULT CAsynIoOperationEvents::OnIoComplete(pull_tide::IAsynIoOperation* operation) {
  SKYREND_ASSERT(NULL != m_operation_events_ptr);
  m_operation_events_ptr->on_complete(operation);
  return S_OK;
}

void CAsynTimerEvents::set_receiver(timeout_handler* timer_events_ptr) {
  SKYREND_ASSERT(NULL != timer_events_ptr);
  m_timer_events_ptr = timer_events_ptr;
}

HRESULT CAsynTimerEvents::OnTimer(DWORD id) {
  SKYREND_ASSERT(NULL != m_timer_events_ptr);
  m_timer_events_ptr->on_timer(id);
  return S_OK;
}

void CAsynMessageEvents::set_receiver(asyn_message_events* message_events_ptr) {
  SKYREND_ASSERT(NULL != message_events_ptr);
  m_message_events_ptr = message_events_ptr;
}

HRESULT CAsynMessageEvents::OnMessage(DWORD a, DWORD b, DWORD c) {
  SKYREND_ASSERT(NULL != m_message_events_ptr);
  m_message_events_ptr->on_message(a, b, c);
  return S_OK;
}

HRESULT CAsynMessageEvents::OnMessage2(DWORD a, DWORD b, DWORD c) {
  m_message_events_ptr->on_message2(a, b, c);
  return S_OK;
}

}  // namespace notifications

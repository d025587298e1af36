// The COM callback objects handed to the host's frame. Each turns host calls into virtual
// calls on one plain plug-in receiver, which it points to without holding it.
#pragma once

#include "notifications/com_utility/com_object.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class asyn_io_operation_events;
class asyn_message_events;
class timeout_handler;

class CAsynIoOperationEvents
    : public com::ComObject<pull_tide::IAsynIoOperationEvents,
                            pull_tide::IID_IAsynIoOperationEvents, com::SingleThreadModel> {
 public:
  void set_receiver(asyn_io_operation_events* operation_events_ptr);
  HRESULT STDMETHODCALLTYPE OnIoComplete(pull_tide::IAsynIoOperation* operation) override;

 private:
  asyn_io_operation_events* m_operation_events_ptr = nullptr;
};

class CAsynTimerEvents
    : public com::ComObject<pull_tide::IAsynTimerEvents, pull_tide::IID_IAsynTimerEvents,
                            com::SingleThreadModel> {
 public:
  void set_receiver(timeout_handler* timer_events_ptr);
  HRESULT STDMETHODCALLTYPE OnTimer(DWORD id) override;

 private:
  timeout_handler* m_timer_events_ptr = nullptr;
};

class CAsynMessageEvents
    : public com::ComObject<pull_tide::IAsynMessageEvents, pull_tide::IID_IAsynMessageEvents,
                            com::SingleThreadModel> {
 public:
  void set_receiver(asyn_message_events* message_events_ptr);
  HRESULT STDMETHODCALLTYPE OnMessage(DWORD a, DWORD b, DWORD c) override;
  HRESULT STDMETHODCALLTYPE OnMessage2(DWORD a, DWORD b, DWORD c) override;

 private:
  asyn_message_events* m_message_events_ptr = nullptr;
};

// Makes the callback object, points it at `receiver` and returns its interface as the
// only reference.
template <class Sink, class Interface, class Receiver>
com::com_ptr<Interface> CreateSink(Receiver* receiver, REFIID iid) {
  Sink* sink = new Sink();
  sink->AddRef();
  sink->set_receiver(receiver);
  com::com_ptr<Interface> result;
  sink->QueryInterface(iid, result.receive_void());
  sink->Release();
  return result;
}

}  // namespace notifications

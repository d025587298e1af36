// CEventsRaiser: the registered INotificationsEvents sinks of the notifications service
// and the raising of OnNewMessages on them. Sinks are called outside the lock, so a sink
// may Advise or Unadvise from inside its call; each sink is held for the length of its
// call, so removing it meanwhile never leaves a released sink to be called.
#pragma once

#include <vector>

#include "base/synchronization/lock.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace notifications {

class CEventsRaiser {
 public:
  CEventsRaiser() = default;
  CEventsRaiser(const CEventsRaiser&) = delete;
  CEventsRaiser& operator=(const CEventsRaiser&) = delete;

  // E_UNEXPECTED when the sink is already registered.
  HRESULT AdviseSink(INotificationsEvents* sink);
  // E_UNEXPECTED when the sink is not registered.
  HRESULT UnadviseSink(INotificationsEvents* sink);
  // OnNewMessages(text) on every sink registered now, in registration order.
  void RaiseNewMessages(BSTR text);

 protected:
  ~CEventsRaiser();

 private:
  using SinkList = std::vector<com::com_ptr<INotificationsEvents>>;
  SinkList::iterator Find(INotificationsEvents* sink);

  base::Lock lock_;
  SinkList sinks_;
};

}  // namespace notifications

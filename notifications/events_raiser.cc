#include "notifications/events_raiser.h"

namespace notifications {

CEventsRaiser::~CEventsRaiser() {
  base::AutoLock hold(lock_);
  sinks_.clear();
}

CEventsRaiser::SinkList::iterator CEventsRaiser::Find(INotificationsEvents* sink) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it)
    if (*it == sink) return it;
  return sinks_.end();
}

HRESULT CEventsRaiser::AdviseSink(INotificationsEvents* sink) {
  if (!sink) return E_POINTER;
  base::AutoLock hold(lock_);
  if (Find(sink) != sinks_.end()) return E_UNEXPECTED;
  sinks_.emplace_back(sink);
  return S_OK;
}

HRESULT CEventsRaiser::UnadviseSink(INotificationsEvents* sink) {
  com::com_ptr<INotificationsEvents> removed;  // released after the lock is given back
  base::AutoLock hold(lock_);
  auto it = Find(sink);
  if (it == sinks_.end()) return E_UNEXPECTED;
  removed = std::move(*it);
  sinks_.erase(it);
  return S_OK;
}

void CEventsRaiser::RaiseNewMessages(BSTR text) {
  SinkList raise_list;
  {
    base::AutoLock hold(lock_);
    raise_list = sinks_;
  }
  for (const auto& sink : raise_list) sink->OnNewMessages(text);
}

}  // namespace notifications

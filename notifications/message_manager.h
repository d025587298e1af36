// CMessageManager: the notifications service object the plug-in publishes to the host as
// INotifications. The client registers its event sinks here and starts the service; the
// shared dispatcher raises OnNewMessages through it. Usable from any thread.
#pragma once

#include "notifications/com_utility/com_object.h"
#include "notifications/events_raiser.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace notifications {

class CMessageManager
    : public com::ComObject<INotifications, IID_INotifications, com::MultiThreadModel>,
      public CEventsRaiser {
 public:
  // A new object with one reference for the caller; takes a share of the dispatcher.
  static HRESULT Create(CMessageManager** manager);

  HRESULT STDMETHODCALLTYPE Advise(INotificationsEvents* sink) override;
  HRESULT STDMETHODCALLTYPE Unadvise(INotificationsEvents* sink) override;
  HRESULT STDMETHODCALLTYPE Start(DWORD unused1, const char* uid, DWORD unused2, const char* sid,
                                  const wchar_t* config_dir) override;
  HRESULT STDMETHODCALLTYPE Stop() override;

 protected:
  ~CMessageManager() override;

 private:
  CMessageManager();
  HRESULT InitializeSection();

  CRITICAL_SECTION section_;
  bool section_ready_ = false;
};

}  // namespace notifications

// CDownloadLibPlugin: the object the host creates from this library and drives through
// IDownloadLibPlugin. Initialize takes the host's services and publishes the
// notifications service; Uninitialize takes everything down again in a fixed order.
#pragma once

#include "notifications/com_utility/com_object.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace notifications {

class CDownloadLibPlugin
    : public com::ComObject<IDownloadLibPlugin, IID_IDownloadLibPlugin, com::SingleThreadModel> {
 public:
  // The class factory's creation function.
  static HRESULT CreateInstance(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE Prepare(UINT_PTR value) override;
  HRESULT STDMETHODCALLTYPE Initialize(pull_tide::IDownloadLibHost* host) override;
  HRESULT STDMETHODCALLTYPE Uninitialize() override;
  HRESULT STDMETHODCALLTYPE GetPluginInfo() override;

 private:
  // Not counted here: the module-wide host pointer holds the reference.
  pull_tide::IDownloadLibHost* host_ = nullptr;
  com::com_ptr<INotifications> notifications_;
};

}  // namespace notifications

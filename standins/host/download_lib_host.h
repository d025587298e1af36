// The host download library's services interface, as handed to the plug-in's Initialize.
// It owns the frame, the settings service and the statistics objects, hands them out by
// service identifier, keeps the objects the plug-in registers, creates statistics records,
// and records every call it and its objects receive.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "base/synchronization/lock.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/call_log.h"
#include "standins/host/frame.h"
#include "standins/host/host_object.h"
#include "standins/host/settings_service.h"
#include "standins/host/statistics.h"

namespace host {

struct HostOptions {
  ClockMode clock = ClockMode::kManual;
  // Which services GetService hands out; a missing one is answered with a failure and a
  // null pointer.
  bool frame = true;
  bool settings = true;
  bool stat_data = true;
  bool stat_data_second_interface = true;
  bool stat_service = true;
  bool records = true;  // CreateObject of statistics records
};

class DownloadLibHost : public HostObject<pull_tide::IDownloadLibHost> {
 public:
  // One reference for the caller.
  static DownloadLibHost* Create(const HostOptions& options);

  HRESULT STDMETHODCALLTYPE RegisterService(REFIID iid, IUnknown* object) override;
  HRESULT STDMETHODCALLTYPE RevokeService(REFIID iid) override;
  HRESULT STDMETHODCALLTYPE GetService(REFGUID service, void** object) override;
  HRESULT STDMETHODCALLTYPE CreateObject(REFCLSID clsid, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }

  CallLog& log() { return log_; }
  Frame* frame() const { return frame_.get(); }
  SettingsService* settings() const { return settings_.get(); }
  StatData* stat_data() const { return stat_data_.get(); }
  StatService* stat_service() const { return stat_service_.get(); }

  // What the plug-in registered under `iid` (asked for that interface), or null.
  com::com_ptr<IUnknown> Registered(REFIID iid);

 private:
  explicit DownloadLibHost(const HostOptions& options);
  ~DownloadLibHost() override;

  HostOptions options_;
  CallLog log_;
  com::com_ptr<Frame> frame_;
  com::com_ptr<SettingsService> settings_;
  com::com_ptr<StatData> stat_data_;
  com::com_ptr<StatService> stat_service_;
  base::Lock lock_;
  std::map<std::string, com::com_ptr<IUnknown>> registered_;  // by GuidName
};

}  // namespace host

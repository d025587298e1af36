#include "standins/host/download_lib_host.h"

namespace host {
namespace {

// Takes over an object made with one reference.
template <class T>
com::com_ptr<T> Own(T* object) {
  com::com_ptr<T> owned;
  owned.attach(object);
  return owned;
}

}  // namespace

DownloadLibHost* DownloadLibHost::Create(const HostOptions& options) {
  return new DownloadLibHost(options);
}

DownloadLibHost::DownloadLibHost(const HostOptions& options)
    : HostObject({pull_tide::IID_IDownloadLibHost}),
      options_(options),
      frame_(Own(Frame::Create(options.clock, &log_))),
      settings_(Own(new SettingsService(&log_))),
      stat_data_(Own(new StatData(options.stat_data_second_interface))),
      stat_service_(Own(new StatService(&log_))) {}

DownloadLibHost::~DownloadLibHost() {
  registered_.clear();
  if (frame_) frame_->StopThread();
}

HRESULT DownloadLibHost::RegisterService(REFIID iid, IUnknown* object) {
  log_.Add("RegisterService " + GuidName(iid));
  if (!object) return E_POINTER;
  base::AutoLock hold(lock_);
  registered_[GuidName(iid)] = com::com_ptr<IUnknown>(object);
  return S_OK;
}

HRESULT DownloadLibHost::RevokeService(REFIID iid) {
  log_.Add("RevokeService " + GuidName(iid));
  com::com_ptr<IUnknown> revoked;  // released outside the lock
  base::AutoLock hold(lock_);
  auto it = registered_.find(GuidName(iid));
  if (it == registered_.end()) return E_FAIL;
  revoked = std::move(it->second);
  registered_.erase(it);
  return S_OK;
}

HRESULT DownloadLibHost::GetService(REFGUID service, void** object) {
  log_.Add("GetService " + GuidName(service));
  if (!object) return E_POINTER;
  *object = nullptr;
  IUnknown* found = nullptr;
  if (IsEqualGUID(service, pull_tide::SID_AsynFrame) && options_.frame)
    found = static_cast<pull_tide::IAsynFrame*>(frame_.get());
  else if (IsEqualGUID(service, pull_tide::SID_Setting) && options_.settings)
    found = static_cast<pull_tide::ISetting*>(settings_.get());
  else if (IsEqualGUID(service, pull_tide::SID_StatData) && options_.stat_data)
    found = static_cast<pull_tide::IStatData2*>(stat_data_.get());
  else if (IsEqualGUID(service, pull_tide::SID_StatService) && options_.stat_service)
    found = static_cast<pull_tide::IStatService*>(stat_service_.get());
  if (!found) return E_NOINTERFACE;
  found->AddRef();
  *object = found;
  return S_OK;
}

HRESULT DownloadLibHost::CreateObject(REFCLSID clsid, REFIID iid, void** object) {
  log_.Add("CreateObject " + GuidName(clsid));
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, pull_tide::CLSID_StatRecord) || !options_.records)
    return REGDB_E_CLASSNOTREG;
  com::com_ptr<StatRecord> record = Own(new StatRecord());
  return record->QueryInterface(iid, object);
}

com::com_ptr<IUnknown> DownloadLibHost::Registered(REFIID iid) {
  base::AutoLock hold(lock_);
  auto it = registered_.find(GuidName(iid));
  return it == registered_.end() ? com::com_ptr<IUnknown>() : it->second;
}

}  // namespace host

#include "notifications/download_lib_plugin.h"

#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/base_com_factory.h"
#include "notifications/message_dispatcher.h"
#include "notifications/message_manager.h"
#include "notifications/setting.h"
#include "notifications/stat_data.h"

namespace notifications {
namespace {

// Held between Initialize and Uninitialize.
com::com_ptr<pull_tide::IDownloadLibHost> g_host;
com::com_ptr<pull_tide::IAsynFrame> g_asyn_frame;
com::com_ptr<pull_tide::ISetting> g_setting;

}  // namespace

HRESULT CDownloadLibPlugin::CreateInstance(REFIID iid, void** object) {
  return com::CreateInstance<CDownloadLibPlugin>(iid, object);
}

HRESULT CDownloadLibPlugin::Prepare(UINT_PTR) { return S_OK; }

HRESULT CDownloadLibPlugin::GetPluginInfo() { return 1; }

HRESULT CDownloadLibPlugin::Initialize(pull_tide::IDownloadLibHost* host) {
  if (!host) return E_FAIL;  // nothing to take services from
  host_ = host;
  if (g_host.get() != host) g_host = com::com_ptr<pull_tide::IDownloadLibHost>(host);
  host->GetService(pull_tide::SID_AsynFrame, g_asyn_frame.receive_void());
  host->GetService(pull_tide::SID_Setting, g_setting.receive_void());

  if (!BaseComFactory::Create(host)) {
    BaseComFactory::Destroy();
    return E_FAIL;
  }

  com::com_ptr<IUnknown> stat_object;
  com::com_ptr<pull_tide::ISetting> setting_service;
  host->GetService(pull_tide::SID_StatData, stat_object.receive_void());
  host->GetService(pull_tide::SID_Setting, setting_service.receive_void());
  if (!stat_data::instance()) stat_data::create(stat_object.get());
  if (!setting::instance()) setting::create(setting_service.get());

  CMessageManager* manager = nullptr;
  HRESULT created = CMessageManager::Create(&manager);
  if (FAILED(created)) return created;
  notifications_.attach(manager);
  host->RegisterService(IID_INotifications, notifications_.get());
  CMessageDispatcher::instance()->set_manager(manager);
  return S_OK;
}

HRESULT CDownloadLibPlugin::Uninitialize() {
  setting::destroy();
  stat_data::destroy();
  BaseComFactory::Destroy();
  if (host_) host_->RevokeService(IID_INotifications);
  notifications_.reset();
  asyn_io_frame::destroy_instance();
  g_asyn_frame.reset();
  g_setting.reset();
  g_host.reset();
  host_ = nullptr;
  return S_OK;
}

}  // namespace notifications

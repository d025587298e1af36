#include "notifications/ct_data.h"

#include "notifications/base_com_factory.h"

namespace notifications {
namespace {

pull_tide::IDownloadLibHost* Host() {
  return BaseComFactory::Exists() ? BaseComFactory::Instance()->host() : nullptr;
}

DWORD Length(const std::string& text) { return static_cast<DWORD>(text.size()); }

}  // namespace

ct_data::ct_data() {
  if (pull_tide::IDownloadLibHost* host = Host())
    host->CreateObject(pull_tide::CLSID_StatRecord, pull_tide::IID_IStatRecord,
                       record_.receive_void());
}

ct_data::~ct_data() { record_.reset(); }

void ct_data::set_name(const std::string& name) {
  if (record_) record_->SetName(Length(name), name.data());
}

void ct_data::add_int(const std::string& key, LONGLONG value) {
  if (record_) record_->AddInt64(Length(key), key.data(), value);
}

void ct_data::add_text(const std::string& key, const std::string& value) {
  if (record_) record_->AddString(Length(key), key.data(), Length(value), value.data());
}

void ct_data::submit(const std::string& category) {
  pull_tide::IDownloadLibHost* host = Host();
  if (!host) return;
  com::com_ptr<pull_tide::IStatService> service;
  if (host->GetService(pull_tide::SID_StatService, service.receive_void()) != S_OK || !service)
    return;
  service->Submit(Length(category), category.data(), record_.get());
}

}  // namespace notifications

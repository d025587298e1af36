#include "standins/host/settings_service.h"

#include "standins/host/host_util.h"

namespace host {

SettingsService::SettingsService(CallLog* log)
    : HostObject({pull_tide::IID_ISetting}), log_(log) {}

void SettingsService::SetInt(const std::string& section, const std::string& key, LONG value) {
  base::AutoLock hold(lock_);
  integers_[{section, key}] = value;
}

void SettingsService::SetString(const std::string& section, const std::string& key,
                                const std::string& value) {
  base::AutoLock hold(lock_);
  texts_[{section, key}] = value;
}

HRESULT SettingsService::GetInt(DWORD section_length, const char* section, DWORD key_length,
                                const char* key, LONG* value) {
  Key wanted{CountedText(section_length, section), CountedText(key_length, key)};
  log_->Add("GetInt " + wanted.first + " " + wanted.second);
  if (!value) return E_POINTER;
  base::AutoLock hold(lock_);
  auto it = integers_.find(wanted);
  if (it == integers_.end()) return E_FAIL;
  *value = it->second;
  return S_OK;
}

HRESULT SettingsService::GetString(DWORD section_length, const char* section, DWORD key_length,
                                   const char* key, pull_tide::IStringSetter* receiver) {
  Key wanted{CountedText(section_length, section), CountedText(key_length, key)};
  log_->Add("GetString " + wanted.first + " " + wanted.second);
  if (!receiver) return E_POINTER;
  std::string value;
  {
    base::AutoLock hold(lock_);
    auto it = texts_.find(wanted);
    if (it == texts_.end()) return E_FAIL;
    value = it->second;
  }
  // Called outside the lock: the receiver belongs to the caller's thread.
  return receiver->SetString(static_cast<DWORD>(value.size()), value.data());
}

}  // namespace host

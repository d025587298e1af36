// The host's settings service: integers and texts under (section, key), set by the test or
// the demo. A key that is not there is answered with a failure, so the caller uses its own
// default.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "base/synchronization/lock.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/call_log.h"
#include "standins/host/host_object.h"

namespace host {

class SettingsService : public HostObject<pull_tide::ISetting> {
 public:
  explicit SettingsService(CallLog* log);

  void SetInt(const std::string& section, const std::string& key, LONG value);
  void SetString(const std::string& section, const std::string& key, const std::string& value);

  HRESULT STDMETHODCALLTYPE GetInt(DWORD section_length, const char* section, DWORD key_length,
                                   const char* key, LONG* value) override;
  HRESULT STDMETHODCALLTYPE GetString(DWORD section_length, const char* section,
                                      DWORD key_length, const char* key,
                                      pull_tide::IStringSetter* receiver) override;
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }

 private:
  using Key = std::pair<std::string, std::string>;
  ~SettingsService() override = default;

  CallLog* log_;
  base::Lock lock_;
  std::map<Key, LONG> integers_;
  std::map<Key, std::string> texts_;
};

}  // namespace host

// The host's statistics objects: the statistics object the plug-in holds, the records it
// fills, and the service that takes submitted records. Submitted records are kept so that
// tests and the demo can read them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/synchronization/lock.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/call_log.h"
#include "standins/host/host_object.h"

namespace host {

class StatData : public HostObject<pull_tide::IStatData2> {
 public:
  // `offer_second_interface` false makes the object refuse IStatData2.
  explicit StatData(bool offer_second_interface);

 private:
  ~StatData() override = default;
};

class StatRecord : public HostObject<pull_tide::IStatRecord> {
 public:
  // A value as text: integers in decimal.
  using Entry = std::pair<std::string, std::string>;

  StatRecord();

  HRESULT STDMETHODCALLTYPE SetName(DWORD length, const char* name) override;
  HRESULT STDMETHODCALLTYPE AddInt64(DWORD key_length, const char* key, LONGLONG value) override;
  HRESULT STDMETHODCALLTYPE AddString(DWORD key_length, const char* key, DWORD value_length,
                                      const char* value) override;
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }

  std::string name();
  std::vector<Entry> entries();

 private:
  ~StatRecord() override = default;

  base::Lock lock_;
  std::string name_;
  std::vector<Entry> entries_;
};

class StatService : public HostObject<pull_tide::IStatService> {
 public:
  struct Submitted {
    std::string category;
    std::string name;                        // empty when no record came
    std::vector<StatRecord::Entry> entries;
  };

  explicit StatService(CallLog* log);

  HRESULT STDMETHODCALLTYPE Submit(DWORD category_length, const char* category,
                                   pull_tide::IStatRecord* record) override;
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }

  std::vector<Submitted> submitted();

 private:
  ~StatService() override = default;

  CallLog* log_;
  base::Lock lock_;
  std::vector<Submitted> submitted_;
};

}  // namespace host

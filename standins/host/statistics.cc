#include "standins/host/statistics.h"

#include "standins/host/host_util.h"

namespace host {

StatData::StatData(bool offer_second_interface)
    : HostObject(offer_second_interface
                     ? std::initializer_list<IID>{pull_tide::IID_IStatData, pull_tide::IID_IStatData2}
                     : std::initializer_list<IID>{pull_tide::IID_IStatData}) {}

StatRecord::StatRecord() : HostObject({pull_tide::IID_IStatRecord}) {}

HRESULT StatRecord::SetName(DWORD length, const char* name) {
  base::AutoLock hold(lock_);
  name_ = CountedText(length, name);
  return S_OK;
}

HRESULT StatRecord::AddInt64(DWORD key_length, const char* key, LONGLONG value) {
  base::AutoLock hold(lock_);
  entries_.emplace_back(CountedText(key_length, key), std::to_string(value));
  return S_OK;
}

HRESULT StatRecord::AddString(DWORD key_length, const char* key, DWORD value_length,
                              const char* value) {
  base::AutoLock hold(lock_);
  entries_.emplace_back(CountedText(key_length, key), CountedText(value_length, value));
  return S_OK;
}

std::string StatRecord::name() {
  base::AutoLock hold(lock_);
  return name_;
}

std::vector<StatRecord::Entry> StatRecord::entries() {
  base::AutoLock hold(lock_);
  return entries_;
}

StatService::StatService(CallLog* log) : HostObject({pull_tide::IID_IStatService}), log_(log) {}

HRESULT StatService::Submit(DWORD category_length, const char* category,
                            pull_tide::IStatRecord* record) {
  Submitted entry;
  entry.category = CountedText(category_length, category);
  // Records come from this host's CreateObject, so they are StatRecords.
  if (auto* own = static_cast<StatRecord*>(record)) {
    entry.name = own->name();
    entry.entries = own->entries();
  }
  log_->Add("Submit " + entry.category + " " + entry.name);
  base::AutoLock hold(lock_);
  submitted_.push_back(std::move(entry));
  return S_OK;
}

std::vector<StatService::Submitted> StatService::submitted() {
  base::AutoLock hold(lock_);
  return submitted_;
}

}  // namespace host

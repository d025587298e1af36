#include "standins/host/call_log.h"

#include <stdio.h>

#include "notifications/interfaces/host_interfaces.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace host {

void CallLog::Add(const std::string& call) {
  base::AutoLock hold(lock_);
  calls_.push_back(call);
}

std::vector<std::string> CallLog::Calls() {
  base::AutoLock hold(lock_);
  return calls_;
}

std::vector<std::string> CallLog::CallsStartingWith(const std::string& prefix) {
  base::AutoLock hold(lock_);
  std::vector<std::string> matching;
  for (const std::string& call : calls_)
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  return matching;
}

void CallLog::Clear() {
  base::AutoLock hold(lock_);
  calls_.clear();
}

std::string GuidName(REFGUID guid) {
  struct Named {
    const GUID* guid;
    const char* name;
  };
  static const Named kNames[] = {
      {&pull_tide::SID_AsynFrame, "frame"},
      {&pull_tide::SID_Setting, "setting"},
      {&pull_tide::SID_StatData, "stat_data"},
      {&pull_tide::SID_StatService, "stat_service"},
      {&pull_tide::CLSID_StatRecord, "stat_record"},
      {&pull_tide::IID_IStatRecord, "IStatRecord"},
      {&notifications::IID_INotifications, "INotifications"},
  };
  for (const Named& named : kNames)
    if (IsEqualGUID(guid, *named.guid)) return named.name;
  char text[64];
  snprintf(text, sizeof(text), "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
           static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
           guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
           guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace host

// The record of every call the host stand-in receives, in arrival order, as short texts
// such as "GetService frame" or "StartTimer 10004 10000 0". Shared by the host's objects
// and safe to use from any thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/synchronization/lock.h"

namespace host {

class CallLog {
 public:
  void Add(const std::string& call);
  std::vector<std::string> Calls();
  // The calls that start with `prefix`, in order.
  std::vector<std::string> CallsStartingWith(const std::string& prefix);
  void Clear();

 private:
  base::Lock lock_;
  std::vector<std::string> calls_;
};

// A readable name for the identifiers the host knows, else the identifier in braces.
std::string GuidName(REFGUID guid);

}  // namespace host

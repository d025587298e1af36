#include "base/process_environment.h"

#include <windows.h>

#include "base/strings/utf_string_conversions.h"

namespace base {

bool ProcessEnvironment::Set(const std::string& name, const std::string& value) {
  return SetEnvironmentVariableW(UTF8ToWide(name).c_str(), UTF8ToWide(value).c_str()) != FALSE;
}

}  // namespace base

// Writes variables into the current process's environment (names and values in UTF-8).
#pragma once

#include <string>

namespace base {

class ProcessEnvironment {
 public:
  // True when the system accepted it. An empty value creates the variable with an empty value.
  static bool Set(const std::string& name, const std::string& value);
};

}  // namespace base

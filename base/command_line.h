// The process command line, parsed once at start-up and read-only afterwards.
//
// Switches start with "--", "-" or "/" (tried in that order) and may carry a value after "=";
// names are kept in ASCII lower case without their prefix, a later switch replaces an earlier
// one of the same name. "--" ends switch parsing and is kept as a plain argument. The argument
// list holds the program, then every switch in order, then the plain arguments.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace base {

class ProcessCommandLine {
 public:
  typedef std::map<std::string, std::wstring> SwitchMap;

  ProcessCommandLine() = default;

  // Creates the process command line from the system's text, unless it already exists.
  static void InitForProcess();
  static ProcessCommandLine* Current();

  // Replaces everything with what `command_line` says (split by the shell's rules).
  void ParseFromString(const std::wstring& command_line);

  // `name` without prefix, in any letter case.
  bool HasSwitchName(const std::string& name) const;
  // The switch's value; empty when absent or given without a value.
  std::wstring GetSwitchValue(const std::string& name) const;

  const std::wstring& program() const { return argv_[0]; }
  const std::vector<std::wstring>& argv() const { return argv_; }
  const SwitchMap& switches() const { return switches_; }
  std::vector<std::wstring> GetArgs() const;

 private:
  void AppendSwitch(const std::wstring& name_with_prefix, const std::wstring& value);

  std::vector<std::wstring> argv_{std::wstring()};
  size_t begin_args_ = 1;
  SwitchMap switches_;
};

}  // namespace base

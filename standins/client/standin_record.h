// What the stand-ins saw, appended as UTF-8 lines "<who> <what>" to one record file, so a test
// can read the order of calls across the client and the crash reporter.
//
// The file is NUBREL_STANDIN_RECORD when set, otherwise "standin-record.txt" beside `module`.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

void Record(HMODULE module, const std::string& line);

// The process environment variable, or "<absent>" when it does not exist (an empty value
// stays empty).
std::wstring EnvironmentValue(const wchar_t* name);

std::string ToUtf8(const std::wstring& text);

// The recorder of one stand-in library: lines "<who> <what>", and "<who> loaded" on attach.
class Recorder {
 public:
  explicit Recorder(const char* who) : who_(who) {}
  void Attached(HMODULE module) {
    module_ = module;
    Record("loaded");
  }
  void Record(const std::string& what) const { standin::Record(module_, who_ + (" " + what)); }

 private:
  std::string who_;
  HMODULE module_ = nullptr;
};

}  // namespace standin

#include "base/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "base/logging.h"
#include "base/strings/string_util.h"
#include "base/strings/utf_string_conversions.h"

namespace base {
namespace {

const wchar_t* const kSwitchPrefixes[] = {L"--", L"-", L"/"};
const wchar_t kSwitchTerminator[] = L"--";
const wchar_t kSwitchValueSeparator = L'=';

// Created once and never destroyed.
ProcessCommandLine* current_process_commandline_ = nullptr;

size_t SwitchPrefixLength(const std::wstring& token) {
  for (const wchar_t* prefix : kSwitchPrefixes) {
    if (StartsWith(token, prefix)) return wcslen(prefix);
  }
  return 0;
}

}  // namespace

void ProcessCommandLine::InitForProcess() {
  if (current_process_commandline_) return;
  current_process_commandline_ = new ProcessCommandLine;
  current_process_commandline_->ParseFromString(GetCommandLineW());
}

ProcessCommandLine* ProcessCommandLine::Current() {
  DCHECK(current_process_commandline_);
  return current_process_commandline_;
}

void ProcessCommandLine::ParseFromString(const std::wstring& command_line) {
  argv_.assign(1, std::wstring());
  begin_args_ = 1;
  switches_.clear();

  const std::wstring text = TrimWhitespace(command_line);
  if (text.empty()) return;

  int count = 0;
  wchar_t** tokens = CommandLineToArgvW(text.c_str(), &count);
  if (!tokens) return;
  argv_[0] = TrimWhitespace(tokens[0]);
  bool parse_switches = true;
  for (int i = 1; i < count; ++i) {
    const std::wstring token = TrimWhitespace(tokens[i]);
    if (token == kSwitchTerminator) parse_switches = false;
    if (parse_switches && SwitchPrefixLength(token) > 0) {
      const size_t separator = token.find(kSwitchValueSeparator);
      if (separator == std::wstring::npos)
        AppendSwitch(token, std::wstring());
      else
        AppendSwitch(token.substr(0, separator), token.substr(separator + 1));
    } else {
      argv_.push_back(token);
    }
  }
  LocalFree(tokens);
}

void ProcessCommandLine::AppendSwitch(const std::wstring& name_with_prefix, const std::wstring& value) {
  const std::string lower_name = StringToLowerASCII(WideToASCII(name_with_prefix));
  const size_t prefix_length = SwitchPrefixLength(name_with_prefix);
  switches_[lower_name.substr(prefix_length)] = value;
  std::wstring entry = ASCIIToWide(lower_name);
  if (!value.empty()) entry += kSwitchValueSeparator + value;
  argv_.insert(argv_.begin() + begin_args_, entry);
  ++begin_args_;
}

bool ProcessCommandLine::HasSwitchName(const std::string& name) const {
  return switches_.count(StringToLowerASCII(name)) > 0;
}

std::wstring ProcessCommandLine::GetSwitchValue(const std::string& name) const {
  SwitchMap::const_iterator found = switches_.find(StringToLowerASCII(name));
  return found == switches_.end() ? std::wstring() : found->second;
}

std::vector<std::wstring> ProcessCommandLine::GetArgs() const {
  return std::vector<std::wstring>(argv_.begin() + begin_args_, argv_.end());
}

}  // namespace base

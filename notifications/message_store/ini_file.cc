#include "notifications/message_store/ini_file.h"

#include <windows.h>

#include "notifications/decimal_text.h"

namespace notifications {
namespace {

const DWORD kReadBufferSize = 300;

// What the system reads for the key: `default_text` when the key is missing, and the empty
// text for a key with an empty value.
std::string read_profile(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& default_text) {
  char buffer[kReadBufferSize] = {};
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), default_text.c_str(),
                                          buffer, kReadBufferSize, path.c_str());
  return std::string(buffer, length);
}

}  // namespace

CAtlIniExt::~CAtlIniExt() { flush(); }

int CAtlIniExt::read_int(const std::string& section, const std::string& key,
                         int default_value) const {
  if (path_.empty()) return 0;
  return parse_decimal_int32(read_profile(path_, section, key, std::to_string(default_value)));
}

std::string CAtlIniExt::read_text(const std::string& section, const std::string& key,
                                  const std::string& default_value) const {
  if (path_.empty()) return std::string();
  std::string text = read_profile(path_, section, key, default_value);
  return text.empty() ? default_value : text;
}

void CAtlIniExt::write_int(const std::string& section, const std::string& key, int value) const {
  if (path_.empty()) return;
  WritePrivateProfileStringA(section.c_str(), key.c_str(), std::to_string(value).c_str(),
                             path_.c_str());
}

void CAtlIniExt::flush() const {
  if (path_.empty()) return;
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

}  // namespace notifications

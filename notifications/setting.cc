#include "notifications/setting.h"

#include "notifications/com_utility/string_setter.h"

namespace notifications {
namespace {

setting* g_setting = nullptr;

}  // namespace

void setting::create(pull_tide::ISetting* service) {
  delete g_setting;
  g_setting = new setting(service);
}

void setting::destroy() {
  delete g_setting;
  g_setting = nullptr;
}

setting* setting::instance() { return g_setting; }

int setting::get_int(const std::string& section, const std::string& key, int default_value) {
  if (!service_) return default_value;
  LONG value = 0;
  HRESULT result = service_->GetInt(static_cast<DWORD>(section.size()), section.data(),
                                    static_cast<DWORD>(key.size()), key.data(), &value);
  return FAILED(result) ? default_value : static_cast<int>(value);
}

std::string setting::get_string(const std::string& section, const std::string& key,
                                const std::string& default_value) {
  if (!service_) return default_value;
  std::string value;
  // The receiver lives for this one call; the host fills `value` through it.
  auto* receiver = new com::CStringSetter(&value);
  HRESULT result = service_->GetString(static_cast<DWORD>(section.size()), section.data(),
                                       static_cast<DWORD>(key.size()), key.data(), receiver);
  delete receiver;
  return FAILED(result) ? default_value : value;
}

}  // namespace notifications

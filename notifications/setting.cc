#include "notifications/setting.h"

#include "notifications/com_utility/string_setter.h"

namespace notifications {
namespace {

setting* g_setting = nullptr;

const char kSection[] = "notifications";
const int kDefaultPort = 80;

server_address read_server(const char* host_key, const char* default_host,
                           const char* port_key) {
  setting* settings = setting::instance();
  if (!settings) return {default_host, kDefaultPort};
  std::string host = settings->get_string(kSection, host_key, default_host);
  int port = settings->get_int(kSection, port_key, kDefaultPort);
  if (port < 1 || port > 65535) port = kDefaultPort;
  return {host, static_cast<USHORT>(port)};
}

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

server_address notifications_server() {
  return read_server("notifications_server", "push.nubrel.com", "notifications_port");
}

server_address user_group_server() {
  return read_server("user_group_server", "usergroup.nubrel.com", "user_group_port");
}

}  // namespace notifications

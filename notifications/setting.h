// setting: the plug-in's reader of the host's settings service. One process-wide
// instance exists between plug-in initialisation and shutdown. The host never sees a
// default: a failed read gives the caller's default here.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class setting {
 public:
  static void create(pull_tide::ISetting* service);
  static void destroy();
  // The instance, or null before create and after destroy.
  static setting* instance();

  virtual ~setting() = default;

  int get_int(const std::string& section, const std::string& key, int default_value);
  std::string get_string(const std::string& section, const std::string& key,
                         const std::string& default_value);

 private:
  explicit setting(pull_tide::ISetting* service) : service_(service) {}
  setting(const setting&) = delete;
  setting& operator=(const setting&) = delete;

  com::com_ptr<pull_tide::ISetting> service_;
};

// Where a fetching command sends its requests.
struct server_address {
  std::string host;
  USHORT port;
};

// The servers from the host's settings (section "notifications"), read when asked, with
// the built-in defaults for what the host does not have. A port outside 1 to 65535 is
// not a port: the default is used instead.
server_address notifications_server();
server_address user_group_server();

}  // namespace notifications

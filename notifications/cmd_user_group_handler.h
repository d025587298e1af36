// cmd_user_group_handler: asks the user-group server for the user's group attributes with
// the signed query, and hands them to the dispatcher.
#pragma once

#include <string>

#include "notifications/cmd_fetch_handler.h"

namespace notifications {

class cmd_user_group_handler : public cmd_fetch_handler {
 public:
  // The one instance, made on first use with the user-group server from the settings.
  static cmd_user_group_handler* instance();
  static void destroy_instance();

  ~cmd_user_group_handler() override;

  void set_check_code(const std::string& uid, const std::string& sid);
  // Requests the attributes of the dispatcher's user; ignored while a request is in flight.
  void fetch();

  const std::string& check_code() const { return check_code_; }

 private:
  cmd_user_group_handler();

  void on_failed() override;
  void on_reply(const std::string& body) override;

  std::string check_code_;
};

}  // namespace notifications

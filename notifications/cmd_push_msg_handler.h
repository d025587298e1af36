// cmd_push_msg_handler: fetches one group attribute's push-message document from the
// notification server and merges the messages that are valid now into the dispatcher's
// document; at the end of a pass it removes the processed messages listed in "pmsg.dat"
// and writes "json.dat" for the client.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/cmd_fetch_handler.h"

namespace notifications {

class cmd_push_msg_handler : public cmd_fetch_handler {
 public:
  // The one instance, made on first use with the notification server from the settings.
  static cmd_push_msg_handler* instance();
  static void destroy_instance();

  ~cmd_push_msg_handler() override;

  // "pmsg.dat" in `config_dir` becomes the processed-messages file, rewritten at the next
  // prune.
  void set_processed_file(const std::wstring& config_dir);
  // Requests "/v3/<attribute>/windows.js"; ignored while a request is in flight.
  void fetch(const std::string& attribute, unsigned index);
  // Removes the processed messages from the dispatcher's document; returns how many are left.
  size_t prune();
  // Writes "json.dat" in `config_dir`; true when it holds the new content.
  bool write_message_file(const std::string& uid, const std::string& json_text,
                          const std::wstring& config_dir);

 private:
  cmd_push_msg_handler();

  void on_failed() override;
  void on_reply(const std::string& body) override;

  bool ids_dirty_ = false;
  std::string processed_path_;  // ANSI code page
  unsigned attribute_index_ = 0;
};

}  // namespace notifications

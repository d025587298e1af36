// CMessageDispatcher: the one shared instance that drives the plug-in's timer-driven fetch
// cycle on the host's frame: the user's group attributes about once a day, a pass over the
// attributes' push messages every 15 minutes, retries after 5 minutes, and at the end of a
// pass the message file and the client's event. The notifications service objects hold
// shares of it: the first share creates it, the last one given back destroys it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "notifications/asyn_io_frame/timeout_handler.h"
#include "notifications/json/elements.h"

namespace notifications {

class CMessageManager;

class CMessageDispatcher : public timeout_handler {
 public:
  enum timer_id : DWORD {
    TIMER_REQUEST_TIMEOUT = 10001,  // each command's limit on one exchange
    TIMER_PUSH_FETCH = 10002,
    TIMER_USER_GROUP_FETCH = 10004,
  };
  static constexpr DWORD kFirstUserGroupFetchDelay = 10000;
  static constexpr DWORD kFirstPushFetchDelay = 1000;
  static constexpr DWORD kUserGroupRefreshDelay = 86399990;  // the frame's longest delay
  static constexpr DWORD kNextPassDelay = 900000;
  static constexpr DWORD kRetryDelay = 300000;

  static CMessageDispatcher* acquire();
  static void release();
  // The shared instance, or null when no share is held.
  static CMessageDispatcher* instance();

  ~CMessageDispatcher() override;

  void on_timer(DWORD id) override;

  // Stores the user's identifiers and folder; the first call starts the cycle.
  void start(const std::string& uid, const std::string& sid, const std::wstring& config_dir);
  // The object that raises the client's events; not owned.
  void set_manager(CMessageManager* manager) { manager_ = manager; }

  // From the user-group command.
  void set_attributes(const std::vector<std::string>& attributes);
  void retry_user_group();
  // From the push-message command.
  void retry_push();
  void next_attribute();
  json::Object& document() { return document_; }
  json::Array& message_list() { return document_["message"].AsArray(); }

  const std::string& uid() const { return uid_; }
  const std::string& sid() const { return sid_; }

 private:
  CMessageDispatcher();

  // The push fetch of the attribute at index_; a pass whose index ran past the list
  // (after a refresh shortened it) starts again at the first attribute.
  void fetch_current_attribute();
  void finish_pass();
  void arm(DWORD id, DWORD delay);

  std::vector<std::string> attributes_;
  bool started_ = false;
  std::wstring config_dir_;
  json::Object document_;
  unsigned index_ = 0;
  bool first_fetch_ = true;
  std::string uid_;
  std::string sid_;
  CMessageManager* manager_ = nullptr;
};

}  // namespace notifications

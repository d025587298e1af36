// CMessageDispatcher: the one shared instance that drives the plug-in's timer-driven fetch
// cycle on the host's frame. The notifications service objects hold shares of it: the
// first share creates it, the last one given back destroys it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "notifications/asyn_io_frame/timeout_handler.h"

namespace notifications {

class CMessageManager;

class CMessageDispatcher : public timeout_handler {
 public:
  enum timer_id : DWORD {
    TIMER_REQUEST_TIMEOUT = 10001,
    TIMER_PUSH_FETCH = 10002,
    TIMER_USER_GROUP_FETCH = 10004,
  };
  static constexpr DWORD kFirstUserGroupFetchDelay = 10000;

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

 private:
  CMessageDispatcher();

  std::vector<std::string> attributes_;
  bool started_ = false;
  std::wstring config_dir_;
  unsigned index_ = 0;
  bool first_fetch_ = true;
  std::string uid_;
  std::string sid_;
  CMessageManager* manager_ = nullptr;
};

}  // namespace notifications

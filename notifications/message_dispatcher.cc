#include "notifications/message_dispatcher.h"

#include <oleauto.h>

#include <sstream>

#include "base/synchronization/lock.h"
#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/cmd_push_msg_handler.h"
#include "notifications/cmd_user_group_handler.h"
#include "notifications/event_counters.h"
#include "notifications/json/writer.h"
#include "notifications/message_manager.h"
#include "notifications/stat_data.h"

namespace notifications {
namespace {

base::Lock& SharesLock() {
  static base::Lock lock;
  return lock;
}

CMessageDispatcher* g_dispatcher = nullptr;
int g_shares = 0;

const wchar_t kEventPrefix[] = L"|config_path = ";

}  // namespace

CMessageDispatcher* CMessageDispatcher::acquire() {
  base::AutoLock hold(SharesLock());
  if (g_shares++ == 0) g_dispatcher = new CMessageDispatcher();
  return g_dispatcher;
}

void CMessageDispatcher::release() {
  base::AutoLock hold(SharesLock());
  if (g_shares == 0) return;
  if (--g_shares == 0) {
    delete g_dispatcher;
    g_dispatcher = nullptr;
  }
}

CMessageDispatcher* CMessageDispatcher::instance() {
  base::AutoLock hold(SharesLock());
  return g_dispatcher;
}

CMessageDispatcher::CMessageDispatcher() {
  asyn_io_frame::instance();
  clear_events();
}

// The commands go first, so none of their completions can reach a dispatcher in
// destruction; the timeout_handler part then stops the dispatcher's own timers.
CMessageDispatcher::~CMessageDispatcher() {
  cmd_push_msg_handler::destroy_instance();
  cmd_user_group_handler::destroy_instance();
}

void CMessageDispatcher::arm(DWORD id, DWORD delay) {
  asyn_io_frame::instance()->set_timer(this, delay, id, false);
}

void CMessageDispatcher::start(const std::string& uid, const std::string& sid,
                               const std::wstring& config_dir) {
  config_dir_ = config_dir;
  sid_ = sid;
  uid_ = uid;
  cmd_user_group_handler::instance()->set_check_code(uid_, sid_);
  cmd_push_msg_handler::instance()->set_processed_file(config_dir_);
  if (!started_) {
    started_ = true;
    arm(TIMER_USER_GROUP_FETCH, kFirstUserGroupFetchDelay);
  }
}

void CMessageDispatcher::on_timer(DWORD id) {
  switch (id) {
    case TIMER_PUSH_FETCH:
      fetch_current_attribute();
      break;
    case TIMER_USER_GROUP_FETCH:
      if (first_fetch_) {
        report_start(uid_);
        first_fetch_ = false;
      }
      cmd_user_group_handler::instance()->fetch();
      break;
    default:
      break;
  }
}

void CMessageDispatcher::fetch_current_attribute() {
  if (attributes_.empty()) return;
  if (index_ >= attributes_.size()) index_ = 0;
  cmd_push_msg_handler::instance()->fetch(attributes_[index_], index_);
}

void CMessageDispatcher::set_attributes(const std::vector<std::string>& attributes) {
  if (attributes.empty()) return;
  attributes_ = attributes;
  arm(TIMER_USER_GROUP_FETCH, kUserGroupRefreshDelay);
  arm(TIMER_PUSH_FETCH, kFirstPushFetchDelay);
}

void CMessageDispatcher::retry_user_group() { arm(TIMER_USER_GROUP_FETCH, kRetryDelay); }

void CMessageDispatcher::retry_push() { arm(TIMER_PUSH_FETCH, kRetryDelay); }

void CMessageDispatcher::next_attribute() {
  ++index_;
  if (index_ >= attributes_.size()) {
    finish_pass();
    return;
  }
  cmd_push_msg_handler::instance()->fetch(attributes_[index_], index_);
}

void CMessageDispatcher::finish_pass() {
  arm(TIMER_PUSH_FETCH, kNextPassDelay);
  index_ = 0;
  cmd_push_msg_handler* push = cmd_push_msg_handler::instance();
  if (push->prune() < 1) return;

  std::ostringstream text;
  json::Writer::Write(document_, text);
  push->write_message_file(uid_, text.str(), config_dir_);

  std::wstring event_text = kEventPrefix + config_dir_;
  BSTR event = SysAllocStringLen(event_text.data(), static_cast<UINT>(event_text.size()));
  if (manager_ && event) manager_->RaiseNewMessages(event);
  SysFreeString(event);

  report_events(uid_);
}

}  // namespace notifications

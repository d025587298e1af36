#include "notifications/message_dispatcher.h"

#include "base/synchronization/lock.h"
#include "notifications/asyn_io_frame/asyn_io_frame.h"

namespace notifications {
namespace {

base::Lock& SharesLock() {
  static base::Lock lock;
  return lock;
}

CMessageDispatcher* g_dispatcher = nullptr;
int g_shares = 0;

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

CMessageDispatcher::CMessageDispatcher() { asyn_io_frame::instance(); }

CMessageDispatcher::~CMessageDispatcher() = default;

void CMessageDispatcher::start(const std::string& uid, const std::string& sid,
                               const std::wstring& config_dir) {
  config_dir_ = config_dir;
  sid_ = sid;
  uid_ = uid;
  if (!started_) {
    started_ = true;
    asyn_io_frame::instance()->set_timer(this, kFirstUserGroupFetchDelay, TIMER_USER_GROUP_FETCH,
                                         false);
  }
}

// The fetching commands hang off TIMER_PUSH_FETCH and TIMER_USER_GROUP_FETCH; any other
// identifier is ignored.
void CMessageDispatcher::on_timer(DWORD id) {}

}  // namespace notifications

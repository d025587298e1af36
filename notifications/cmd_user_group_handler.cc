#include "notifications/cmd_user_group_handler.h"

#include <vector>

#include "notifications/event_counters.h"
#include "notifications/message_dispatcher.h"
#include "notifications/user_group_query.h"

namespace notifications {
namespace {

cmd_user_group_handler* g_user_group_handler = nullptr;

}  // namespace

cmd_user_group_handler* cmd_user_group_handler::instance() {
  if (!g_user_group_handler) g_user_group_handler = new cmd_user_group_handler();
  return g_user_group_handler;
}

void cmd_user_group_handler::destroy_instance() {
  delete g_user_group_handler;
  g_user_group_handler = nullptr;
}

cmd_user_group_handler::cmd_user_group_handler()
    : cmd_fetch_handler(user_group_server(), {EVENT_USER_GROUP_REPLY, EVENT_USER_GROUP_FAILED,
                                              EVENT_USER_GROUP_TIMEOUT}) {}

cmd_user_group_handler::~cmd_user_group_handler() = default;

void cmd_user_group_handler::set_check_code(const std::string& uid, const std::string& sid) {
  check_code_ = user_group_check_code(uid, sid);
}

void cmd_user_group_handler::fetch() {
  CMessageDispatcher* dispatcher = CMessageDispatcher::instance();
  if (busy() || !dispatcher) return;
  start_fetch(user_group_path(dispatcher->uid(), dispatcher->sid(), check_code_));
}

void cmd_user_group_handler::on_failed() {
  if (CMessageDispatcher* dispatcher = CMessageDispatcher::instance())
    dispatcher->retry_user_group();
}

void cmd_user_group_handler::on_reply(const std::string& body) {
  std::vector<std::string> attributes;
  int result;
  try {
    result = read_user_group_reply(body.data(), body.size(), &attributes);
  } catch (const std::exception&) {
    result = EVENT_USER_GROUP_REPLY_UNUSABLE;
    count_event(EVENT_USER_GROUP_REPLY_UNUSABLE);
  }
  CMessageDispatcher* dispatcher = CMessageDispatcher::instance();
  if (!dispatcher) return;
  if (result != 0)
    dispatcher->retry_user_group();
  else
    dispatcher->set_attributes(attributes);
}

}  // namespace notifications

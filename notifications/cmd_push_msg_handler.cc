#include "notifications/cmd_push_msg_handler.h"

#include "base/path_string.h"
#include "notifications/event_counters.h"
#include "notifications/message_dispatcher.h"
#include "notifications/message_store/message_file.h"
#include "notifications/message_store/processed_ids.h"
#include "notifications/message_store/push_reply.h"
#include "notifications/request_text.h"

namespace notifications {
namespace {

cmd_push_msg_handler* g_push_handler = nullptr;

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string ansi(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0], size,
                        nullptr, nullptr);
  return ansi;
}

}  // namespace

cmd_push_msg_handler* cmd_push_msg_handler::instance() {
  if (!g_push_handler) g_push_handler = new cmd_push_msg_handler();
  return g_push_handler;
}

void cmd_push_msg_handler::destroy_instance() {
  delete g_push_handler;
  g_push_handler = nullptr;
}

cmd_push_msg_handler::cmd_push_msg_handler()
    : cmd_fetch_handler(notifications_server(),
                        {EVENT_PUSH_REPLY, EVENT_PUSH_FAILED, EVENT_PUSH_TIMEOUT}) {}

cmd_push_msg_handler::~cmd_push_msg_handler() = default;

void cmd_push_msg_handler::set_processed_file(const std::wstring& config_dir) {
  processed_path_ = ToAnsi(base::PathString(config_dir).JoinAscii(kProcessedFileName).value());
  ids_dirty_ = true;
}

void cmd_push_msg_handler::fetch(const std::string& attribute, unsigned index) {
  if (busy()) return;
  attribute_index_ = index;
  start_fetch("/v3/" + escape_request_text(attribute) + "/windows.js");
}

void cmd_push_msg_handler::on_failed() {
  if (CMessageDispatcher* dispatcher = CMessageDispatcher::instance()) dispatcher->retry_push();
}

void cmd_push_msg_handler::on_reply(const std::string& body) {
  CMessageDispatcher* dispatcher = CMessageDispatcher::instance();
  if (!dispatcher) return;
  try {
    merge_push_reply(body.data(), body.size(), attribute_index_, current_unix_time(),
                     dispatcher->document());
  } catch (const std::exception&) {
    count_event(EVENT_PUSH_REPLY_UNUSABLE);
    // The first attribute's reply starts the pass's document; without a usable one the
    // pass starts empty instead of adding the later attributes to the last pass's messages.
    if (attribute_index_ == 0) dispatcher->document() = json::Object();
  }
  dispatcher->next_attribute();
}

size_t cmd_push_msg_handler::prune() {
  CMessageDispatcher* dispatcher = CMessageDispatcher::instance();
  if (!dispatcher) return 0;
  json::Array& messages = dispatcher->message_list();
  std::vector<int> still_listed = remove_processed(messages, read_processed_ids(processed_path_));
  if (ids_dirty_) {
    rewrite_processed_file(processed_path_, still_listed);
    ids_dirty_ = false;
  }
  return messages.Size();
}

bool cmd_push_msg_handler::write_message_file(const std::string& uid,
                                              const std::string& json_text,
                                              const std::wstring& config_dir) {
  return notifications::write_message_file(config_dir, uid, json_text);
}

}  // namespace notifications

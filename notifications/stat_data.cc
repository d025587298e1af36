#include "notifications/stat_data.h"

#include "notifications/ct_data.h"
#include "notifications/event_counters.h"

namespace notifications {
namespace {

stat_data* g_stat_data = nullptr;

const char kCategory[] = "notifications";
const char kRecordName[] = "notifications_st_1";
const char kUserIdKey[] = "userid";
const char kStartKey[] = "notification_start_get_msg";

// One record: its name, "userid" = uid, then what `add_values` adds; submitted and
// released here.
template <class AddValues>
void send_record(const std::string& uid, AddValues add_values) {
  ct_data record;
  record.set_name(kRecordName);
  record.add_text(kUserIdKey, uid);
  add_values(record);
  record.submit(kCategory);
}

}  // namespace

void stat_data::create(IUnknown* statistics) {
  delete g_stat_data;
  g_stat_data = new stat_data(statistics);
}

void stat_data::destroy() {
  delete g_stat_data;
  g_stat_data = nullptr;
}

stat_data* stat_data::instance() { return g_stat_data; }

void report_start(const std::string& uid) {
  send_record(uid, [](ct_data& record) { record.add_text(kStartKey, kStartKey); });
}

void report_events(const std::string& uid) {
  event_counts counts = events_snapshot();
  if (counts.empty()) return;
  send_record(uid, [&counts](ct_data& record) {
    for (const auto& count : counts) record.add_int(count.first, count.second);
  });
  clear_events();
}

}  // namespace notifications

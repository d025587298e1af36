// stat_data: holds the host's statistics object between plug-in initialisation and
// shutdown. The plug-in makes no call through it.
// Beside it, the two reports the plug-in sends to the host's statistics service, both
// under the category "notifications" as records named "notifications_st_1".
#pragma once

#include <unknwn.h>

#include <string>

#include "notifications/com_utility/com_ptr.h"

namespace notifications {

class stat_data {
 public:
  static void create(IUnknown* statistics);
  static void destroy();
  // The instance, or null before create and after destroy.
  static stat_data* instance();

  virtual ~stat_data() = default;

 private:
  explicit stat_data(IUnknown* statistics) : statistics_(statistics) {}
  stat_data(const stat_data&) = delete;
  stat_data& operator=(const stat_data&) = delete;

  com::com_ptr<IUnknown> statistics_;
};

// The start record: "userid" = uid and "notification_start_get_msg".
void report_start(const std::string& uid);
// The counter record: "userid" = uid, then each event count in ascending order of the
// code's text. Nothing is sent while no event is counted; otherwise the counts are cleared
// afterwards, whether or not the host took the record.
void report_events(const std::string& uid);

}  // namespace notifications

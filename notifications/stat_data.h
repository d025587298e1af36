// stat_data: holds the host's statistics object between plug-in initialisation and
// shutdown. The plug-in makes no call through it.
#pragma once

#include <unknwn.h>

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

}  // namespace notifications

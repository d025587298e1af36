// ct_data: one statistics record made by the host, filled by name and values and handed to
// the host's statistics service. Every failure on the way is silent: statistics never
// affect fetching.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class ct_data {
 public:
  // Asks the host for a new record; without one, the setters do nothing.
  ct_data();
  virtual ~ct_data();
  ct_data(const ct_data&) = delete;
  ct_data& operator=(const ct_data&) = delete;

  void set_name(const std::string& name);
  void add_int(const std::string& key, LONGLONG value);
  void add_text(const std::string& key, const std::string& value);
  // Hands the record (or none, when the host made none) to the statistics service under
  // `category`; a host without the service drops it.
  void submit(const std::string& category);

 private:
  com::com_ptr<pull_tide::IStatRecord> record_;
};

}  // namespace notifications

// Speed limits of a connection. upload_speed_limit_adapter holds the host limiter that a
// limited socket paces its sending with.
#pragma once

#include <windows.h>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class speed_limit_interface {
 public:
  virtual ~speed_limit_interface() = default;
  virtual void set_limit(DWORD a, DWORD b, DWORD c) = 0;
  virtual void set_speed(DWORD value) = 0;
};

class upload_speed_limit_adapter : public speed_limit_interface {
 public:
  // Asks the frame for a new limiter, with no limiter above it.
  upload_speed_limit_adapter();
  ~upload_speed_limit_adapter() override = default;

  void set_limit(DWORD a, DWORD b, DWORD c) override;
  void set_speed(DWORD value) override;

  // Null when the host gave none.
  pull_tide::ISpeedLimiter* limiter() const { return _limiter.get(); }

 private:
  com::com_ptr<pull_tide::ISpeedLimiter> _limiter;
};

}  // namespace notifications

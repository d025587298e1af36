#include "notifications/asyn_io_frame/speed_limit.h"

#include "notifications/base_com_factory.h"

namespace notifications {

upload_speed_limit_adapter::upload_speed_limit_adapter() {
  BaseComFactory::Instance()->asyn_frame()->CreateSpeedLimiter(_limiter.receive());
  if (_limiter) _limiter->SetParent(nullptr);
}

void upload_speed_limit_adapter::set_limit(DWORD a, DWORD b, DWORD c) {
  if (_limiter) _limiter->SetLimit(a, b, c);
}

void upload_speed_limit_adapter::set_speed(DWORD value) {
  if (_limiter) _limiter->SetSpeed(value);
}

}  // namespace notifications

#include "notifications/asyn_io_frame/timeout_handler.h"

#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/base_com_factory.h"

namespace notifications {

timeout_handler::timeout_handler() : timer_sink_(BaseComFactory::CreateTimerEvents(this)) {}

timeout_handler::~timeout_handler() {
  asyn_io_frame::instance()->kill_all_timers(this);
  timer_sink_.reset();
}

}  // namespace notifications

#include "notifications/asyn_io_frame/asyn_io_frame.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/timeout_handler.h"
#include "notifications/base_com_factory.h"

namespace notifications {
namespace {

asyn_io_frame* g_frame = nullptr;

}  // namespace

asyn_io_frame* asyn_io_frame::instance() {
  if (!g_frame) g_frame = new asyn_io_frame(BaseComFactory::Instance()->asyn_frame());
  return g_frame;
}

bool asyn_io_frame::exists() { return g_frame != nullptr; }

void asyn_io_frame::destroy_instance() {
  delete g_frame;
  g_frame = nullptr;
}

void asyn_io_frame::set_timer(timeout_handler* handler, DWORD millisecond, DWORD id, bool flag) {
  SKYREND_ASSERT(millisecond <= MAX_TIMER_MILLISECOND);
  SKYREND_ASSERT(millisecond > 0);
  frame_->StopTimer(handler->timer_sink(), id);
  frame_->StartTimer(handler->timer_sink(), id, millisecond, flag ? TRUE : FALSE);
}

void asyn_io_frame::kill_timer(timeout_handler* handler, DWORD id) {
  frame_->StopTimer(handler->timer_sink(), id);
}

void asyn_io_frame::kill_all_timers(timeout_handler* handler) {
  frame_->StopAllTimers(handler->timer_sink());
}

}  // namespace notifications

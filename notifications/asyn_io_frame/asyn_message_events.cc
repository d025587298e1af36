#include "notifications/asyn_io_frame/asyn_message_events.h"

#include "notifications/base_com_factory.h"

namespace notifications {

asyn_message_events::asyn_message_events()
    : message_sink_(BaseComFactory::CreateMessageEvents(this)) {}

asyn_message_events::~asyn_message_events() { message_sink_.reset(); }

}  // namespace notifications

#include "notifications/asyn_io_frame/asyn_io_operation_events.h"

#include "notifications/base_com_factory.h"

namespace notifications {

asyn_io_operation_events::asyn_io_operation_events()
    : operation_sink_(BaseComFactory::CreateOperationEvents(this)) {}

asyn_io_operation_events::~asyn_io_operation_events() { operation_sink_.reset(); }

}  // namespace notifications

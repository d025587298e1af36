#include "notifications/asyn_io_frame/socket_exception.h"

namespace notifications {

socket_exception::socket_exception(const std::string& text, DWORD code)
    : _code(code), _message(text + ", error code: " + std::to_string(code)) {}

}  // namespace notifications

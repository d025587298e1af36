// socket_exception: how the socket devices report a call the host refused to start. Its
// message is the given text, ", error code: " and the code as an unsigned decimal number.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace notifications {

class socket_exception : public std::exception {
 public:
  socket_exception(const std::string& text, DWORD code);

  const char* what() const noexcept override { return _message.c_str(); }
  DWORD code() const { return _code; }

 private:
  DWORD _code;
  std::string _message;
};

}  // namespace notifications

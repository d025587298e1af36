// limit_asyn_socket_device: wraps another device and talks to a host socket that paces the
// wrapped one's traffic through speed limiters. It owns the wrapped device. Its calls are
// not checked: failures reach the handler through the operation's completion.
#pragma once

#include <memory>

#include "notifications/asyn_io_frame/asyn_socket_device.h"
#include "notifications/com_utility/com_ptr.h"

namespace notifications {

class upload_speed_limit_adapter;

class limit_asyn_socket_device : public asyn_socket_device {
 public:
  // Asks the frame for a socket over `socket_imp`'s, paced by the adapters' limiters (either
  // may be null); throws socket_exception when the frame has none to give.
  limit_asyn_socket_device(std::unique_ptr<asyn_socket_device> socket_imp,
                           upload_speed_limit_adapter* download_limit,
                           upload_speed_limit_adapter* upload_limit);
  // Closes the limited socket first, then destroys the wrapped device.
  ~limit_asyn_socket_device() override;

  void connect(const std::string& host, USHORT port, asyn_io_operation* operation,
               DWORD timeout) override;
  void read(asyn_io_operation* operation, DWORD count, DWORD offset) override;
  void read_variant(asyn_io_operation* operation, DWORD count, DWORD offset) override;
  void write(asyn_io_operation* operation, DWORD count, DWORD offset) override;
  void write_variant(asyn_io_operation* operation, DWORD count, DWORD offset) override;
  void close() override;
  void forward_value(DWORD value) override;
  void set_timeout(DWORD timeout_millseconds) override;
  bool local_address(socket_address* address) override;
  bool remote_address(socket_address* address) override;
  pull_tide::IAsynSocket* socket() override { return _limited_socket.get(); }

 private:
  std::unique_ptr<asyn_socket_device> _socket_imp_ptr;
  com::com_ptr<pull_tide::IAsynSocket> _limited_socket;
};

}  // namespace notifications

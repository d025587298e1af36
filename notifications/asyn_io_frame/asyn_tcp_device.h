// asyn_tcp_device: a device over a plain host TCP socket. A call the host refuses to start
// throws socket_exception with code -1.
#pragma once

#include "notifications/asyn_io_frame/asyn_socket_device.h"
#include "notifications/com_utility/com_ptr.h"

namespace notifications {

class asyn_tcp_device : public asyn_socket_device {
 public:
  // Takes a reference to `socket`, or asks the frame for a new unconnected one when it is
  // null; throws socket_exception when the frame has none to give.
  explicit asyn_tcp_device(pull_tide::IAsynSocket* socket);
  // Closes the socket and lets it go.
  ~asyn_tcp_device() override;

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
  pull_tide::IAsynSocket* socket() override { return _socket.get(); }

 private:
  com::com_ptr<pull_tide::IAsynSocket> _socket;
};

}  // namespace notifications

// asyn_socket_device: the plug-in's object for one connection over a host socket. Connect,
// read and write start an asyn_io_operation; its completion reaches the operation's handler.
// Devices stack: a wrapping device owns the device it wraps.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/asyn_io_frame/asyn_io_operation.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

// The layout of an IPv4 socket address.
struct socket_address {
  USHORT family;
  USHORT port;  // network order
  DWORD address;  // network order
};

class asyn_socket_device {
 public:
  asyn_socket_device() = default;
  virtual ~asyn_socket_device() = default;
  asyn_socket_device(const asyn_socket_device&) = delete;
  asyn_socket_device& operator=(const asyn_socket_device&) = delete;

  virtual void connect(const std::string& host, USHORT port, asyn_io_operation* operation,
                       DWORD timeout) = 0;
  // Reads into the operation's buffer: at most `count` bytes at `offset`.
  virtual void read(asyn_io_operation* operation, DWORD count, DWORD offset) = 0;
  virtual void read_variant(asyn_io_operation* operation, DWORD count, DWORD offset) = 0;
  // Writes `count` bytes of the operation's buffer from `offset`; may write fewer.
  virtual void write(asyn_io_operation* operation, DWORD count, DWORD offset) = 0;
  virtual void write_variant(asyn_io_operation* operation, DWORD count, DWORD offset) = 0;
  virtual void close() = 0;
  virtual void forward_value(DWORD value) = 0;
  virtual void set_timeout(DWORD timeout_millseconds) = 0;
  virtual bool local_address(socket_address* address) = 0;
  virtual bool remote_address(socket_address* address) = 0;
  // The host socket the device talks to, not counted.
  virtual pull_tide::IAsynSocket* socket() = 0;

 protected:
  enum class transfer_t { read, read_variant, write, write_variant };

  // The host calls behind the slots, shared by the devices; each returns the host's result
  // and marks the operation started.
  static HRESULT start_connect(pull_tide::IAsynSocket* socket, const std::string& host,
                               USHORT port, asyn_io_operation* operation, DWORD timeout);
  static HRESULT start_transfer(pull_tide::IAsynSocket* socket, transfer_t transfer,
                                asyn_io_operation* operation, DWORD count, DWORD offset);
  // Position 9 (local) or 10 (remote) of the socket into `address`; true when it returned 0.
  static bool query_address(pull_tide::IAsynSocket* socket, bool local, socket_address* address);
};

}  // namespace notifications

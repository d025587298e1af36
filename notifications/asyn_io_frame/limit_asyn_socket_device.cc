#include "notifications/asyn_io_frame/limit_asyn_socket_device.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/socket_exception.h"
#include "notifications/asyn_io_frame/speed_limit.h"
#include "notifications/base_com_factory.h"

namespace notifications {
namespace {

pull_tide::ISpeedLimiter* limiter_of(upload_speed_limit_adapter* adapter) {
  return adapter ? adapter->limiter() : nullptr;
}

}  // namespace

limit_asyn_socket_device::limit_asyn_socket_device(std::unique_ptr<asyn_socket_device> socket_imp,
                                                   upload_speed_limit_adapter* download_limit,
                                                   upload_speed_limit_adapter* upload_limit)
    : _socket_imp_ptr(std::move(socket_imp)) {
  SKYREND_ASSERT(_socket_imp_ptr != NULL);
  BaseComFactory::Instance()->asyn_frame()->CreateLimitedSocket(
      _socket_imp_ptr->socket(), limiter_of(download_limit), limiter_of(upload_limit),
      _limited_socket.receive());
  if (!_limited_socket) throw socket_exception("create limited socket error", static_cast<DWORD>(-1));
}

limit_asyn_socket_device::~limit_asyn_socket_device() {
  _limited_socket->Close();
  _socket_imp_ptr.reset();
  _limited_socket.reset();
}

void limit_asyn_socket_device::connect(const std::string& host, USHORT port,
                                       asyn_io_operation* operation, DWORD timeout) {
  start_connect(_limited_socket.get(), host, port, operation, timeout);
}

void limit_asyn_socket_device::read(asyn_io_operation* operation, DWORD count, DWORD offset) {
  start_transfer(_limited_socket.get(), transfer_t::read, operation, count, offset);
}

void limit_asyn_socket_device::read_variant(asyn_io_operation* operation, DWORD count,
                                            DWORD offset) {
  start_transfer(_limited_socket.get(), transfer_t::read_variant, operation, count, offset);
}

void limit_asyn_socket_device::write(asyn_io_operation* operation, DWORD count, DWORD offset) {
  start_transfer(_limited_socket.get(), transfer_t::write, operation, count, offset);
}

void limit_asyn_socket_device::write_variant(asyn_io_operation* operation, DWORD count,
                                             DWORD offset) {
  start_transfer(_limited_socket.get(), transfer_t::write_variant, operation, count, offset);
}

void limit_asyn_socket_device::close() { _limited_socket->Close(); }

void limit_asyn_socket_device::forward_value(DWORD value) { _limited_socket->SetOption(value); }

void limit_asyn_socket_device::set_timeout(DWORD timeout_millseconds) {
  _limited_socket->SetTimeout(timeout_millseconds);
}

bool limit_asyn_socket_device::local_address(socket_address* address) {
  return query_address(_limited_socket.get(), true, address);
}

bool limit_asyn_socket_device::remote_address(socket_address* address) {
  return query_address(_limited_socket.get(), false, address);
}

}  // namespace notifications

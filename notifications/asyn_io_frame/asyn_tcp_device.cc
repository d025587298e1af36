#include "notifications/asyn_io_frame/asyn_tcp_device.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/asyn_io_frame/socket_exception.h"
#include "notifications/base_com_factory.h"

namespace notifications {
namespace {

constexpr DWORD kStartRefused = static_cast<DWORD>(-1);

void check_started(HRESULT result, const char* what) {
  if (FAILED(result)) throw socket_exception(what, kStartRefused);
}

}  // namespace

asyn_tcp_device::asyn_tcp_device(pull_tide::IAsynSocket* socket) : _socket(socket) {
  if (!_socket) BaseComFactory::Instance()->CreateTcpSocket(_socket.receive());
  if (!_socket) throw socket_exception("create socket error", kStartRefused);
}

asyn_tcp_device::~asyn_tcp_device() {
  _socket->Close();
  _socket.reset();
}

void asyn_tcp_device::connect(const std::string& host, USHORT port, asyn_io_operation* operation,
                              DWORD timeout) {
  check_started(start_connect(_socket.get(), host, port, operation, timeout), "connect error");
}

void asyn_tcp_device::read(asyn_io_operation* operation, DWORD count, DWORD offset) {
  check_started(start_transfer(_socket.get(), transfer_t::read, operation, count, offset),
                "read error");
}

void asyn_tcp_device::read_variant(asyn_io_operation* operation, DWORD count, DWORD offset) {
  check_started(start_transfer(_socket.get(), transfer_t::read_variant, operation, count, offset),
                "read error");
}

void asyn_tcp_device::write(asyn_io_operation* operation, DWORD count, DWORD offset) {
  check_started(start_transfer(_socket.get(), transfer_t::write, operation, count, offset),
                "write error");
}

void asyn_tcp_device::write_variant(asyn_io_operation* operation, DWORD count, DWORD offset) {
  check_started(
      start_transfer(_socket.get(), transfer_t::write_variant, operation, count, offset),
      "write error");
}

void asyn_tcp_device::close() { _socket->Close(); }

void asyn_tcp_device::forward_value(DWORD value) { _socket->SetOption(value); }

void asyn_tcp_device::set_timeout(DWORD timeout_millseconds) {
  SKYREND_ASSERT(timeout_millseconds <= MAX_TIMER_MILLISECOND);
  HRESULT lr1 = _socket->SetTimeout(timeout_millseconds);
  SKYREND_ASSERT(SUCCEEDED(lr1));
}

bool asyn_tcp_device::local_address(socket_address* address) {
  return query_address(_socket.get(), true, address);
}

bool asyn_tcp_device::remote_address(socket_address* address) {
  return query_address(_socket.get(), false, address);
}

}  // namespace notifications

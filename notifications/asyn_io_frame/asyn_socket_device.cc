#include "notifications/asyn_io_frame/asyn_socket_device.h"

namespace notifications {
namespace {

constexpr USHORT kAddressFamilyIPv4 = 2;

USHORT ToNetworkOrder(USHORT port) { return static_cast<USHORT>((port << 8) | (port >> 8)); }

}  // namespace

HRESULT asyn_socket_device::start_connect(pull_tide::IAsynSocket* socket, const std::string& host,
                                          USHORT port, asyn_io_operation* operation,
                                          DWORD timeout) {
  HRESULT result = socket->Connect(operation->host_operation(), static_cast<DWORD>(host.size()),
                                   host.data(), port, timeout);
  operation->set_started(asyn_io_operation::kind_connect);
  return result;
}

HRESULT asyn_socket_device::start_transfer(pull_tide::IAsynSocket* socket, transfer_t transfer,
                                           asyn_io_operation* operation, DWORD count,
                                           DWORD offset) {
  pull_tide::IAsynIoOperation* host_operation = operation->host_operation();
  host_operation->SetWindow(offset, count);
  HRESULT result = E_UNEXPECTED;
  switch (transfer) {
    case transfer_t::read: result = socket->Read(host_operation); break;
    case transfer_t::read_variant: result = socket->ReadVariant(host_operation); break;
    case transfer_t::write: result = socket->Write(host_operation); break;
    case transfer_t::write_variant: result = socket->WriteVariant(host_operation); break;
  }
  const bool reading = transfer == transfer_t::read || transfer == transfer_t::read_variant;
  operation->set_started(reading ? asyn_io_operation::kind_read : asyn_io_operation::kind_write);
  return result;
}

bool asyn_socket_device::query_address(pull_tide::IAsynSocket* socket, bool local,
                                       socket_address* address) {
  DWORD ip = 0;
  USHORT port = 0;
  HRESULT result = local ? socket->GetLocalAddress(&ip, &port) : socket->GetRemoteAddress(&ip, &port);
  address->family = kAddressFamilyIPv4;
  address->port = ToNetworkOrder(port);
  address->address = ip;
  return result == S_OK;
}

}  // namespace notifications

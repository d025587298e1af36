#include "notifications/http/cmd_http_data_handler.h"

#include <cstring>
#include <exception>
#include <stdexcept>

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_io_operation.h"
#include "notifications/asyn_io_frame/asyn_tcp_device.h"
#include "notifications/asyn_io_frame/limit_asyn_socket_device.h"
#include "notifications/asyn_io_frame/speed_limit.h"
#include "notifications/http/http_response_parser.h"

namespace notifications {
namespace {

// The header is read into all but the last byte of its buffer, which takes a terminating 0.
constexpr DWORD kHeaderReadSize = cmd_http_data_handler::kHeaderBufferSize - 1;

}  // namespace

cmd_http_data_handler::cmd_http_data_handler() : _upload_limiter(new upload_speed_limit_adapter()) {}

cmd_http_data_handler::~cmd_http_data_handler() { close(); }

bool cmd_http_data_handler::prepare_send(asyn_io_operation*& /*send_operation*/,
                                         DWORD& /*send_size*/) {
  return true;
}

void cmd_http_data_handler::post_request(const std::string& request_text) {
  _request_text = request_text;
  SKYREND_ASSERT(_status == status_idle);
  delete_operations();
  // The send buffer's size is a 16-bit number: a longer text would be cut short.
  if (_request_text.size() > kMaxRequestTextSize) {
    fail(result_no_operation, 0);
    return;
  }
  SKYREND_ASSERT(!_send_operation_ptr);
  _send_operation_ptr = asyn_io_operation::new_operation(this, 0);
  SKYREND_ASSERT(!_recive_operation_ptr);
  _recive_operation_ptr = asyn_io_operation::new_operation(this, kHeaderBufferSize);
  if (!_send_operation_ptr || !_recive_operation_ptr) {
    delete_operations();
    fail(result_no_operation, 0);
    return;
  }
  if (_device)
    send();
  else
    connect();
}

void cmd_http_data_handler::close() {
  delete_operations();
  if (_device) {
    _device->close();
    _device.reset();
  }
  _status = status_idle;
  _header_bytes = 0;
}

void cmd_http_data_handler::release_send_operation() {
  if (!_send_operation_ptr) return;
  delete_operation(_send_operation_ptr);
  _send_operation_ptr = nullptr;
  _status = status_idle;
}

void cmd_http_data_handler::connect() {
  _status = status_connecting;
  try {
    std::unique_ptr<asyn_socket_device> tcp(new asyn_tcp_device(nullptr));
    _device.reset(new limit_asyn_socket_device(std::move(tcp), nullptr, _upload_limiter.get()));
    _device->connect(_server_host, _server_port, _send_operation_ptr, kConnectTimeout);
  } catch (const std::exception&) {
    fail(result_connect_failed, kDetailStartFailed);
  }
}

void cmd_http_data_handler::send() {
  SKYREND_ASSERT(_send_operation_ptr);
  _status = status_sending;
  DWORD send_size = static_cast<DWORD>(_request_text.size());
  if (!prepare_send(_send_operation_ptr, send_size)) {
    fail(result_no_operation, 0);
    return;
  }
  try {
    const DWORD size = static_cast<USHORT>(_request_text.size());
    asyn_io_operation* operation = asyn_io_operation::new_operation(this, size);
    if (!operation) throw std::runtime_error("new asyn_io_operation failed.");
    if (size) std::memcpy(operation->buffer(), _request_text.data(), size);
    delete_operations();
    _send_operation_ptr = operation;
    _transfer_total = _transfer_remaining = size;
    _transfer_position = 0;
    _device->write(_send_operation_ptr, size, 0);
  } catch (const std::exception&) {
    fail(result_send_failed, kDetailStartFailed);
  }
}

void cmd_http_data_handler::start_receiving() {
  delete_operations();
  _status = status_receiving;
  _recive_operation_ptr = asyn_io_operation::new_operation(this, kHeaderBufferSize);
  if (!_recive_operation_ptr) {
    fail(result_no_operation, 0);
    return;
  }
  _header_bytes = 0;
  read(kHeaderReadSize, 0, false);
}

void cmd_http_data_handler::read(DWORD count, DWORD offset, bool exact) {
  if (exact) {
    _transfer_total = _transfer_remaining = count;
    _transfer_position = offset;
  }
  try {
    _device->read(_recive_operation_ptr, count, offset);
  } catch (const std::exception&) {
    fail(result_receive_failed, kDetailStartFailed);
  }
}

void cmd_http_data_handler::on_io_complete(asyn_io_operation* operation) {
  DWORD bytes = 0, error = 0;
  operation->get_result(&bytes, &error);
  const bool is_read = operation->kind() == asyn_io_operation::kind_read;
  const status_t status = _status;
  if (error != 0 || (is_read && bytes == 0)) {
    switch (status) {
      case status_connecting: fail(result_connect_failed, error); return;
      case status_sending: fail(result_send_failed, error); return;
      case status_receiving: fail(result_receive_failed, error); return;
      default: SKYREND_ASSERT(NULL); return;
    }
  }
  if (operation->kind() == asyn_io_operation::kind_write || (is_read && _transfer_remaining != 0)) {
    if (continue_transfer(!is_read, bytes)) return;
  }
  _status = status_idle;
  switch (status) {
    case status_connecting: send(); break;
    case status_sending: start_receiving(); break;
    case status_receiving: parse_response(bytes); break;
    default: SKYREND_ASSERT(NULL); break;
  }
}

bool cmd_http_data_handler::continue_transfer(bool write, DWORD bytes) {
  if (bytes >= _transfer_remaining) {
    reset_transfer();
    return false;
  }
  _transfer_position += bytes;
  _transfer_remaining -= bytes;
  try {
    if (write)
      _device->write(_send_operation_ptr, _transfer_remaining, _transfer_position);
    else
      _device->read(_recive_operation_ptr, _transfer_remaining, _transfer_position);
  } catch (const std::exception&) {
    fail(write ? result_send_failed : result_receive_failed, kDetailStartFailed);
  }
  return true;
}

void cmd_http_data_handler::parse_response(DWORD bytes) {
  BYTE* data = nullptr;
  DWORD capacity = 0;
  _recive_operation_ptr->host_operation()->GetBuffer(&data, &capacity);
  if (capacity != kHeaderBufferSize) {
    on_response(reinterpret_cast<const char*>(data), _content_length);
    return;
  }
  _header_bytes += bytes;
  if (_header_bytes > kHeaderReadSize) _header_bytes = kHeaderReadSize;
  data[_header_bytes] = 0;
  const char* text = reinterpret_cast<const char*>(data);
  http_response_header header;
  switch (parse_http_response_header(text, _header_bytes, &header)) {
    case http_header_state::incomplete:
      _status = status_receiving;
      read(kHeaderReadSize - _header_bytes, _header_bytes, false);
      return;
    case http_header_state::unusable:
      fail(result_bad_header, 0);
      return;
    case http_header_state::complete:
      break;
  }
  const DWORD received = _header_bytes - static_cast<DWORD>(header.header_size);
  if (received == header.content_length) {
    on_response(text + header.header_size, header.content_length);
    return;
  }
  receive_body(text + header.header_size, received, header.content_length);
}

void cmd_http_data_handler::receive_body(const char* received, DWORD received_size,
                                         DWORD content_length) {
  _status = status_receiving;
  // A body buffer of the header buffer's size would be taken for a header buffer.
  const DWORD size = content_length == kHeaderBufferSize ? content_length + 1 : content_length;
  asyn_io_operation* operation = asyn_io_operation::new_operation(this, size);
  if (!operation) {
    fail(result_no_operation, 0);
    return;
  }
  if (received_size) std::memcpy(operation->buffer(), received, received_size);
  delete_operations();
  _recive_operation_ptr = operation;
  _content_length = content_length;
  read(content_length - received_size, received_size, true);
}

void cmd_http_data_handler::delete_operations() {
  if (_send_operation_ptr) delete_operation(_send_operation_ptr);
  _send_operation_ptr = nullptr;
  if (_recive_operation_ptr) delete_operation(_recive_operation_ptr);
  _recive_operation_ptr = nullptr;
}

void cmd_http_data_handler::fail(DWORD code, DWORD detail) {
  _status = status_idle;
  reset_transfer();
  on_done(code, detail);
}

}  // namespace notifications

#include "notifications/request_text.h"

namespace notifications {

std::string escape_request_text(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte != 0x7F) {
      escaped += c;
      continue;
    }
    escaped += '%';
    escaped += kHex[byte >> 4];
    escaped += kHex[byte & 0x0F];
  }
  return escaped;
}

}  // namespace notifications

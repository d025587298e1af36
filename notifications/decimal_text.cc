#include "notifications/decimal_text.h"

#include <climits>

namespace notifications {

int parse_decimal_int32(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long long value = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > limit) {
      value = limit;
      break;
    }
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace notifications

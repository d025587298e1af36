#include "notifications/json/number_token.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace json {
namespace tokens {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '-' || c == '+'; }

// For a text that does not fit a double: whether it is too large rather than too small.
// Compares the decimal position of the first significant digit with the exponent.
bool IsTooLarge(const char* p, const char* end) {
  long long magnitude = 0;
  bool significant = false;
  bool fraction = false;
  for (; p < end && (IsDigit(*p) || *p == '.'); ++p) {
    if (*p == '.') {
      fraction = true;
    } else if (IsDigit(*p)) {
      significant = significant || *p != '0';
      if (!fraction && significant) ++magnitude;
      if (fraction && !significant) --magnitude;
    }
  }
  long long exponent = 0;
  if (p < end) {  // at the exponent marker
    ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && IsSign(*p)) ++p;
    for (; p < end && exponent < 1000000000; ++p) exponent = exponent * 10 + (*p - '0');
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

}  // namespace

std::size_t ReadNumber(const char* text, std::size_t size, double* value) {
  const char* const begin = text;
  const char* const end = text + size;
  const char* p = begin;
  if (p < end && IsSign(*p)) ++p;
  bool mantissa = false;
  for (; p < end && IsDigit(*p); ++p) mantissa = true;
  if (p < end && *p == '.') {
    for (++p; p < end && IsDigit(*p); ++p) mantissa = true;
  }
  if (mantissa && p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p < end && IsSign(*p)) ++p;
    while (p < end && IsDigit(*p)) ++p;
  }
  const std::size_t taken = static_cast<std::size_t>(p - begin);

  // from_chars takes no plus sign; a leading one can only be a mantissa sign here.
  const char* first = (begin < p && *begin == '+') ? begin + 1 : begin;
  double result = 0;
  const std::from_chars_result converted = std::from_chars(first, p, result);
  if (converted.ec == std::errc::result_out_of_range && converted.ptr == p) {
    const bool negative = *begin == '-';
    if (IsTooLarge(first + (negative ? 1 : 0), p)) {
      result = std::numeric_limits<double>::max();
    } else {
      result = 0;
    }
    if (negative) result = -result;
  } else if (converted.ec != std::errc() || converted.ptr != p) {
    result = 0;
  }
  *value = result;
  return taken;
}

}  // namespace tokens
}  // namespace json

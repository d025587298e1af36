#include "base/http/http_request_headers.h"

#include "base/strings/stringprintf.h"

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

void http_request_headers::set(const std::string& name, const std::string& value) {
  for (std::pair<std::string, std::string>& header : headers_) {
    if (EqualIgnoringAsciiCase(header.first, name)) {
      header.second = value;
      return;
    }
  }
  headers_.emplace_back(name, value);
}

std::string http_request_headers::to_string() const {
  std::string text;
  for (const std::pair<std::string, std::string>& header : headers_) {
    if (header.second.empty()) {
      base::StringAppendF(&text, "%s:\r\n", header.first.c_str());
    } else {
      base::StringAppendF(&text, "%s: %s\r\n", header.first.c_str(), header.second.c_str());
    }
  }
  text += "\r\n";
  return text;
}

// The header lines of an HTTP request, kept in the order in which they were first set.
#pragma once

#include <string>
#include <utility>
#include <vector>

class http_request_headers {
 public:
  // Replaces the value of the header whose name matches (same length, equal without regard
  // to ASCII case), keeping its place and the name as first set; otherwise appends the header.
  void set(const std::string& name, const std::string& value);

  // "Name: value\r\n" for each header ("Name:\r\n" when the value is empty), then "\r\n".
  std::string to_string() const;

 private:
  std::vector<std::pair<std::string, std::string>> headers_;
};

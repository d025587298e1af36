// Reads a JSON document from a byte stream into an Object. The result is that of cutting the
// whole input into tokens first and parsing them after: a scanning error anywhere fails the
// read, even one after a parsing error or after the top-level object has closed.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

#include "notifications/json/elements.h"

namespace json {

class Reader {
 public:
  // All counters start at 0. A line feed starts a new line; every byte advances the offsets.
  struct Location {
    std::size_t line = 0;
    std::size_t line_offset = 0;
    std::size_t document_offset = 0;
  };

  // Raised while cutting the input into tokens; the location is that of the first byte that
  // does not fit, or the end of the input when it ran out.
  class ScanException : public Exception {
   public:
    ScanException(const std::string& message, const Location& where)
        : Exception(message), location(where) {}
    Location location;
  };

  // Raised while building the tree; the locations are those of the offending token (both 0
  // when the tokens ran out).
  class ParseException : public Exception {
   public:
    ParseException(const std::string& message, const Location& begin, const Location& end)
        : Exception(message), location_begin(begin), location_end(end) {}
    Location location_begin;
    Location location_end;
  };

  // Containers nested deeper than this are refused, so input from the network cannot
  // exhaust the stack of the recursive parser (nor of the code that later walks the tree).
  static constexpr std::size_t kMaxDepth = 256;

  // Parses one document, whose top level must be an object, and inserts its members into
  // `object`. Consumes the whole stream. On failure `object` may be partly filled.
  static void Read(Object& object, std::istream& input);
  static void Read(Object& object, const char* data, std::size_t size);

 private:
  class Parser;
};

}  // namespace json

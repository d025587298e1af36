// Writes a JSON tree as indented text: one member or element per line, tabs for depth.
#pragma once

#include <ostream>

#include "notifications/json/elements.h"

namespace json {

class Writer {
 public:
  // Writes `object` and flushes the stream. Every line break is a line feed followed by a
  // flush; the text ends with the object's closing brace, without a line feed.
  static void Write(const Object& object, std::ostream& output);

 private:
  class Lines;
};

}  // namespace json

// Any input: the reader either refuses it with one of its exceptions or builds a tree that
// the writer writes and the reader reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "notifications/json/reader.h"
#include "notifications/json/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  json::Object document;
  try {
    json::Reader::Read(document, reinterpret_cast<const char*>(data), size);
  } catch (const json::Exception&) {
    return 0;
  }
  std::ostringstream written;
  json::Writer::Write(document, written);
  json::Object again;
  std::istringstream input(written.str());
  json::Reader::Read(again, input);  // must not throw
  if (!(again == document)) std::abort();
  return 0;
}

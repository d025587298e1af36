#include "notifications/message_store/message_fields.h"

#include <climits>

namespace notifications {

int truncate_to_int32(double value) {
  if (value != value) return 0;  // not a number
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

int message_number(const json::UnknownElement& message, const char* name) {
  // The typed accessors of a copy would turn other kinds into 0 as well; looking without
  // converting gives the same values without copying the message.
  try {
    const json::Object& fields = message.AsObject();
    json::Object::const_iterator member = fields.Find(name);
    if (member == fields.end()) return 0;
    return truncate_to_int32(member->element.AsNumber().Value());
  } catch (const json::Exception&) {
    return 0;  // not an object, or a member that is not a number
  }
}

}  // namespace notifications

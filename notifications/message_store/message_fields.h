// Reading the numeric members of a push message ("msgid", "starttime", "endtime").
#pragma once

#include "notifications/json/elements.h"

namespace notifications {

// A JSON number truncated toward zero to 32 bits; values beyond the 32-bit range give the
// nearest limit, so a hostile number can never overflow the conversion.
int truncate_to_int32(double value);

// The member `name` of `message` as a truncated number; 0 when `message` is not an object
// or the member is missing or not a number. Never changes the message.
int message_number(const json::UnknownElement& message, const char* name);

}  // namespace notifications

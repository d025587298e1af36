// The User-Agent of the plug-in's requests: one value for the whole process, which a
// "UserAgent" key in section "http" of "base.ini" beside the plug-in replaces for good.
#pragma once

#include <string>

namespace notifications {

extern const char kDefaultUserAgent[];

// The current value.
const std::string& user_agent();

// Reads "base.ini" in `folder`; a non-empty "UserAgent" becomes the value for this and every
// later request, also after it has left the file.
void refresh_user_agent(const std::wstring& folder);

// The folder of the plug-in's module (of the program when the plug-in is linked into one).
std::wstring module_folder();

}  // namespace notifications

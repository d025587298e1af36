// Catches the plug-in's assertion exception (0xE0008001) in the test's own thread: the
// check's message is returned and execution resumes after the call that raised it.
// Objects of the frames in between are abandoned, as they would be by the exception.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace notifications_test {

std::optional<std::string> CaptureAssertion(const std::function<void()>& body);

// The message up to " file: ", which is the part that does not depend on the source tree.
std::string WithoutLocation(const std::string& message);

}  // namespace notifications_test

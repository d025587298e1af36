// The move tool's argument string: "source?target?profile".
#pragma once

#include <string>

struct MoveArguments {
  std::wstring source_dir;    // the current sync folder
  std::wstring target_dir;    // its new place; need not exist yet
  std::wstring profile_name;  // the profile below "User Data" whose database records the move
};

// Splits at every "?" (each piece trimmed) and accepts exactly three pieces with a profile
// name, a source that is an existing folder, and two folders that are neither the same nor
// one inside the other (regardless of letter case).
bool ParseMoveArguments(const std::wstring& argument_string, MoveArguments* arguments);

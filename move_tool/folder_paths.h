// Comparisons of folder paths as the system resolves them.
#pragma once

#include <string>

// True when `inner` lies below `outer`: both made absolute (a path that cannot be resolved in
// MAX_PATH characters contains nothing and lies in nothing), `inner` is longer, continues with
// a backslash where `outer` ends, and starts with `outer` regardless of case.
bool FolderContains(const std::wstring& outer, const std::wstring& inner);

// True when both paths resolve to the same absolute path, regardless of case and of
// trailing separators.
bool SameFolder(const std::wstring& a, const std::wstring& b);

// A file path held as one wide string, with the joining rules the programs rely on.
//
// Separators are '\' and '/'; '\' is the one inserted. The current directory is ".". A drive
// letter is an ASCII letter and ':' at the start. A path is absolute when it starts with a
// drive letter and a separator, or (without a drive letter) with two separators.
#pragma once

#include <string>

namespace base {

class PathString {
 public:
  PathString() = default;
  explicit PathString(const std::wstring& path) : path_(path) {}

  const std::wstring& value() const { return path_; }
  bool empty() const { return path_.empty(); }
  bool operator==(const PathString& other) const { return path_ == other.path_; }
  bool operator!=(const PathString& other) const { return path_ != other.path_; }

  static bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

  // The path without its last component: "C:\a\b\" -> "C:\a", "C:\" -> "C:\",
  // "\\server" -> "\\", "file.txt" -> ".".
  PathString Parent() const;

  // Appends `component` after one backslash: "C:\a" + "b" -> "C:\a\b", "C:" + "b" -> "C:b",
  // "." + "b" -> "b". A component that starts with a separator keeps it, so "C:\a" +
  // "\b" -> "C:\a\\b". The component must not be absolute.
  PathString Join(const std::wstring& component) const;
  // The same for an ASCII component.
  PathString JoinAscii(const std::string& component) const;

  bool IsAbsolute() const;
  // True when the system returns attributes for the path.
  bool Exists() const;

 private:
  void StripTrailingSeparators();

  std::wstring path_;
};

}  // namespace base

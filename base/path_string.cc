#include "base/path_string.h"

#include <windows.h>

#include "base/logging.h"
#include "base/strings/utf_string_conversions.h"

namespace base {
namespace {

const wchar_t kCurrentDirectory[] = L".";

// Index of the drive letter's colon, or npos.
size_t FindDriveLetter(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':' &&
      ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'))) {
    return 1;
  }
  return std::wstring::npos;
}

}  // namespace

void PathString::StripTrailingSeparators() {
  // Keeps the separator right after a drive letter ("C:\"), a single leading separator ("\"),
  // and a leading pair ("\\") unless the path began with more than two separators.
  const size_t start = FindDriveLetter(path_) + 2;  // npos + 2 == 1
  size_t last_stripped = std::wstring::npos;
  for (size_t pos = path_.size(); pos > start && IsSeparator(path_[pos - 1]); --pos) {
    if (pos != start + 1 || last_stripped == start + 2 || !IsSeparator(path_[start - 1])) {
      path_.resize(pos - 1);
      last_stripped = pos;
    }
  }
}

PathString PathString::Parent() const {
  PathString parent(path_);
  parent.StripTrailingSeparators();
  const size_t letter = FindDriveLetter(parent.path_);  // npos + 1 == 0 below
  size_t last_separator = std::wstring::npos;
  for (size_t i = parent.path_.size(); i > 0; --i) {
    if (IsSeparator(parent.path_[i - 1])) {
      last_separator = i - 1;
      break;
    }
  }
  if (last_separator == std::wstring::npos) {
    parent.path_.resize(letter + 1);  // in the current directory (of the drive)
  } else if (last_separator == letter + 1) {
    parent.path_.resize(letter + 2);  // in the root directory
  } else if (last_separator == letter + 2 && IsSeparator(parent.path_[letter + 1])) {
    parent.path_.resize(letter + 3);  // below a leading pair of separators: keep the pair
  } else if (last_separator != 0) {
    parent.path_.resize(last_separator);
  }
  parent.StripTrailingSeparators();
  if (parent.path_.empty()) parent.path_ = kCurrentDirectory;
  return parent;
}

PathString PathString::Join(const std::wstring& component) const {
  DCHECK(!PathString(component).IsAbsolute());
  if (path_ == kCurrentDirectory) return PathString(component);
  PathString joined(path_);
  joined.StripTrailingSeparators();
  if (!component.empty() && !joined.path_.empty() && !IsSeparator(joined.path_.back()) &&
      FindDriveLetter(joined.path_) + 1 != joined.path_.size()) {
    joined.path_.push_back(L'\\');
  }
  joined.path_.append(component);
  return joined;
}

PathString PathString::JoinAscii(const std::string& component) const {
  DCHECK(IsStringASCII(component));
  return Join(ASCIIToWide(component));
}

bool PathString::IsAbsolute() const {
  const size_t letter = FindDriveLetter(path_);
  if (letter != std::wstring::npos) return path_.size() > letter + 1 && IsSeparator(path_[letter + 1]);
  return path_.size() > 1 && IsSeparator(path_[0]) && IsSeparator(path_[1]);
}

bool PathString::Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace base

// The version block of one file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/path_string.h"

namespace base {

class VersionResource {
 public:
  // Null when the file has no version block or the block has no "\VarFileInfo\Translation".
  static std::unique_ptr<VersionResource> CreateForFile(const PathString& file);

  // The named string of "\StringFileInfo", tried for the block's language and code page, the
  // user's default language, and code page 1252; empty when none has it.
  std::wstring GetStringValue(const wchar_t* name) const;
  std::wstring product_version() const { return GetStringValue(L"ProductVersion"); }

  // The fixed file information, or null when the block has none.
  const VS_FIXEDFILEINFO* fixed_file_info() const { return fixed_file_info_; }

 private:
  VersionResource(std::vector<BYTE> data, WORD language, WORD code_page);
  bool QueryString(WORD language, WORD code_page, const wchar_t* name, std::wstring* value) const;

  std::vector<BYTE> data_;
  WORD language_;
  WORD code_page_;
  const VS_FIXEDFILEINFO* fixed_file_info_ = nullptr;
};

}  // namespace base

#include "base/version_resource.h"

#include <stdio.h>

namespace base {

std::unique_ptr<VersionResource> VersionResource::CreateForFile(const PathString& file) {
  DWORD unused = 0;
  DWORD size = GetFileVersionInfoSizeW(file.value().c_str(), &unused);
  if (size == 0) return nullptr;
  std::vector<BYTE> data(size, 0);
  if (!GetFileVersionInfoW(file.value().c_str(), 0, size, data.data())) return nullptr;

  struct LanguageAndCodePage {
    WORD language;
    WORD code_page;
  };
  void* translation = nullptr;
  UINT translation_size = 0;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &translation, &translation_size) ||
      translation_size < sizeof(LanguageAndCodePage)) {
    return nullptr;
  }
  const LanguageAndCodePage first = *static_cast<LanguageAndCodePage*>(translation);
  return std::unique_ptr<VersionResource>(new VersionResource(std::move(data), first.language, first.code_page));
}

VersionResource::VersionResource(std::vector<BYTE> data, WORD language, WORD code_page)
    : data_(std::move(data)), language_(language), code_page_(code_page) {
  void* info = nullptr;
  UINT info_size = 0;
  if (VerQueryValueW(data_.data(), L"\\", &info, &info_size) && info_size >= sizeof(VS_FIXEDFILEINFO))
    fixed_file_info_ = static_cast<const VS_FIXEDFILEINFO*>(info);
}

bool VersionResource::QueryString(WORD language, WORD code_page, const wchar_t* name, std::wstring* value) const {
  wchar_t query[256];
  snwprintf(query, sizeof(query) / sizeof(query[0]), L"\\StringFileInfo\\%04x%04x\\%ls", language, code_page,
            name);
  query[sizeof(query) / sizeof(query[0]) - 1] = L'\0';
  void* text = nullptr;
  UINT length = 0;
  // VerQueryValueW only reads the block, whatever its signature says.
  if (!VerQueryValueW(const_cast<BYTE*>(data_.data()), query, &text, &length) || !text) return false;
  *value = static_cast<const wchar_t*>(text);
  return true;
}

std::wstring VersionResource::GetStringValue(const wchar_t* name) const {
  const WORD user_language = GetUserDefaultLangID();
  const WORD kWesternCodePage = 1252;
  const WORD candidates[][2] = {
      {language_, code_page_},
      {user_language, code_page_},
      {language_, kWesternCodePage},
      {user_language, kWesternCodePage},
  };
  std::wstring value;
  for (const auto& candidate : candidates) {
    if (QueryString(candidate[0], candidate[1], name, &value)) return value;
  }
  return std::wstring();
}

}  // namespace base

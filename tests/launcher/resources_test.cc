// The resources of the shipped (PE32) nubrel.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/version_resource.h"

namespace {

const wchar_t kShippedLauncher[] = NUBREL_SHIPPED_LAUNCHER;

class ShippedLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(kShippedLauncher, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, module_) << "cannot open " << std::string(kShippedLauncher, kShippedLauncher + wcslen(kShippedLauncher));
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::string Resource(const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return data ? std::string(data, SizeofResource(module_, found)) : std::string();
  }

  HMODULE module_ = nullptr;
};

TEST_F(ShippedLauncher, HasTheIconGroupWithSevenImages) {
  const std::string group = Resource(L"IDR_MAINFRAME", RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  const WORD* header = reinterpret_cast<const WORD*>(group.data());  // reserved, type 1, count
  EXPECT_EQ(1, header[1]);
  EXPECT_EQ(7, header[2]);
  EXPECT_EQ(6u + 7u * 14u, group.size());
}

TEST_F(ShippedLauncher, HasTheManifest) {
  const std::string manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                           "processorArchitecture=\"X86\"", "level=\"asInvoker\"", "uiAccess=\"false\""}) {
    EXPECT_NE(std::string::npos, manifest.find(part)) << part;
  }
}

TEST_F(ShippedLauncher, HasTheVersionBlock) {
  std::unique_ptr<base::VersionResource> version = base::VersionResource::CreateForFile(base::PathString(kShippedLauncher));
  ASSERT_TRUE(version);
  const std::pair<const wchar_t*, const wchar_t*> strings[] = {
      {L"FileDescription", L"nubrel"}, {L"InternalName", L"nubrel"},       {L"OriginalFilename", L"nubrel.exe"},
      {L"FileVersion", L"2,0,0,473"},  {L"ProductVersion", L"2,0,0,473"},
  };
  for (const auto& s : strings) EXPECT_EQ(s.second, version->GetStringValue(s.first)) << s.first;
  for (const wchar_t* own : {L"CompanyName", L"ProductName", L"LegalCopyright"})
    EXPECT_FALSE(version->GetStringValue(own).empty()) << own;
  const VS_FIXEDFILEINFO* fixed = version->fixed_file_info();
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, 2)), fixed->dwFileVersionMS);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(473, 0)), fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
}

}  // namespace

#include <gtest/gtest.h>

#include <windows.h>

#include "base/at_exit.h"
#include "base/path_lookup.h"
#include "base/process_environment.h"
#include "base/version_resource.h"
#include "support/test_support.h"

namespace {

using base::PathString;

TEST(PathLookup, ResolvesTheProgramAndItsFolder) {
  base::AtExitManager manager;  // the lookup's cache is a lazy singleton
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  PathString file, dir;
  ASSERT_TRUE(base::PathLookup::Get(base::PathLookup::FILE_PROGRAM, &file));
  ASSERT_TRUE(base::PathLookup::Get(base::PathLookup::DIR_PROGRAM, &dir));
  EXPECT_EQ(program, file.value());
  EXPECT_EQ(test_support::BinDir(), dir.value());
  PathString unknown(L"unchanged");
  EXPECT_FALSE(base::PathLookup::Get(1234, &unknown));
  EXPECT_EQ(L"unchanged", unknown.value());
}

TEST(VersionResource, ReadsTheLaunchersProductVersion) {
  std::unique_ptr<base::VersionResource> version =
      base::VersionResource::CreateForFile(PathString(test_support::BinDir()).Join(L"nubrel.exe"));
  ASSERT_TRUE(version);
  EXPECT_EQ(L"2,0,0,473", version->product_version());
  EXPECT_EQ(L"nubrel", version->GetStringValue(L"InternalName"));
  EXPECT_EQ(L"", version->GetStringValue(L"NoSuchString"));
  ASSERT_NE(nullptr, version->fixed_file_info());
  EXPECT_EQ(MAKELONG(0, 2), version->fixed_file_info()->dwProductVersionMS);
  EXPECT_EQ(MAKELONG(473, 0), version->fixed_file_info()->dwProductVersionLS);
}

TEST(VersionResource, NeedsABlockWithATranslation) {
  const std::wstring bin = test_support::BinDir();
  EXPECT_FALSE(base::VersionResource::CreateForFile(PathString(bin).Join(L"version_without_translation.dll")));
  EXPECT_FALSE(base::VersionResource::CreateForFile(PathString(bin).Join(L"debug_log_probe.exe")));  // no block
  EXPECT_FALSE(base::VersionResource::CreateForFile(PathString(bin).Join(L"missing.exe")));
}

TEST(ProcessEnvironment, SetsVariablesFromUtf8) {
  ASSERT_TRUE(base::ProcessEnvironment::Set("NUBREL_TEST_EMPTY", ""));
  wchar_t value[64] = L"untouched";
  SetLastError(0);
  EXPECT_EQ(0u, GetEnvironmentVariableW(L"NUBREL_TEST_EMPTY", value, 64));
  EXPECT_NE(static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND), GetLastError()) << "an empty value still exists";

  ASSERT_TRUE(base::ProcessEnvironment::Set("NUBREL_TEST_\xE6\xBE\x84", "\xE6\xBE\x84\xE8\x88\x9F"));
  ASSERT_EQ(2u, GetEnvironmentVariableW(L"NUBREL_TEST_\u6F84", value, 64));
  EXPECT_EQ(std::wstring(L"\u6F84\u821F"), value);

  EXPECT_FALSE(base::ProcessEnvironment::Set("", "x"));
}

}  // namespace

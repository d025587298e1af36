// The client data directory: the user's application-data folder in its long-name form,
// followed by "Nubrel Network\Nubrel".
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "move_tool/client_data_dir.h"
#include "support/test_support.h"

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length && length < MAX_PATH ? value : L"";
}

TEST(ClientDataDir, IsTheApplicationDataFolderFollowedByTheClientsFolder) {
  const struct { bool per_user; const wchar_t* folder_variable; } cases[] = {
      {true, L"APPDATA"}, {false, L"ProgramData"}};
  for (const auto& c : cases) {
    std::wstring expected = Environment(c.folder_variable);
    ASSERT_FALSE(expected.empty()) << "%" << test_support::ToUtf8(c.folder_variable) << "% is not set";
    std::wstring dir;
    ASSERT_TRUE(GetClientDataDir(c.per_user, &dir)) << "per user: " << c.per_user;
    EXPECT_EQ(expected + L"\\Nubrel Network\\Nubrel", dir) << "per user: " << c.per_user;
  }
}

TEST(ClientDataDir, UsesTheLongNameFormUnlessBelowMediumIntegrity) {
  test_support::TempDir temp;
  const std::wstring long_form = temp.Join(L"Application Data Of Someone");
  ASSERT_TRUE(CreateDirectoryW(long_form.c_str(), nullptr));
  wchar_t short_form[MAX_PATH] = {};
  ASSERT_NE(0u, GetShortPathNameW(long_form.c_str(), short_form, MAX_PATH));
  ASSERT_NE(long_form, short_form) << "the system gave no short name to compare with";

  std::wstring dir;
  ASSERT_TRUE(ClientDataDirBelow(short_form, false, &dir));
  EXPECT_EQ(long_form + L"\\Nubrel Network\\Nubrel", dir);
  ASSERT_TRUE(ClientDataDirBelow(short_form, true, &dir));
  EXPECT_EQ(std::wstring(short_form) + L"\\Nubrel Network\\Nubrel", dir);

  EXPECT_FALSE(ClientDataDirBelow(temp.Join(L"missing"), false, &dir))
      << "a folder without a long-name form cannot be used";
}

TEST(ClientDataDir, ThisProcessIsNotBelowMediumIntegrity) {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_FALSE(IsBelowMediumIntegrity(token));
  CloseHandle(token);
  EXPECT_FALSE(IsBelowMediumIntegrity(nullptr)) << "an unreadable level counts as not below";
}

}  // namespace

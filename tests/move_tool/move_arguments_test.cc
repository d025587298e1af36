// Validation of the argument string against real folders.
#include "move_tool/move_arguments.h"

#include <gtest/gtest.h>

#include "move_tool/folder_paths.h"
#include "move_tool/move_test_support.h"
#include "support/test_support.h"

TEST(MoveArgumentsTest, AcceptsThreeTrimmedPiecesAndRejectsTheRest) {
  move_test::ScratchFolder root('M');
  std::wstring sync = root.Join(L"Sync");
  ASSERT_TRUE(move_test::MakeFolders(sync));
  const std::wstring& r = root.path();
  struct {
    std::wstring argument_string;
    bool accepted;
  } cases[] = {
      {sync + L"?" + r + L"\\SyncNew?user", true},
      {L"  " + sync + L" ? " + r + L"\\SyncNew\t?  user  ", true},
      {sync + L"?N:\\elsewhere?user", true},
      {sync + L"?" + r + L"\\SyncNew?user?extra", false},   // four pieces
      {sync + L"?" + r + L"\\SyncNew", false},              // two pieces
      {L"", false},
      {sync + L"?" + r + L"\\SyncNew?   ", false},          // empty profile
      {r + L"\\Missing?" + r + L"\\SyncNew?user", false},   // no such source
      {r + L"\\file.txt?" + r + L"\\SyncNew?user", false},  // source is a file
      {sync + L"?" + sync + L"\\New?user", false},          // target inside the source
      {sync + L"?" + r + L"?user", false},                  // source inside the target
      {sync + L"?" + r + L"\\sYNC\\x?user", false},         // nested, other letter case
      {sync + L"?" + sync + L"?user", false},               // the same folder
      {sync + L"?" + r + L"\\SYNC\\?user", false},          // the same, other case, trailing separator
      {sync + L"?" + r + L"\\.\\Sync?user", false},         // the same after resolution
  };
  ASSERT_TRUE(move_test::WriteSampleFile(r + L"\\file.txt", 5, 1));
  for (const auto& c : cases) {
    SCOPED_TRACE(test_support::ToUtf8(c.argument_string));
    MoveArguments arguments;
    EXPECT_EQ(c.accepted, ParseMoveArguments(c.argument_string, &arguments));
  }
  MoveArguments arguments;
  ASSERT_TRUE(ParseMoveArguments(L" " + sync + L" ? N:\\x ?  user ", &arguments));
  EXPECT_EQ(sync, arguments.source_dir);
  EXPECT_EQ(L"N:\\x", arguments.target_dir);
  EXPECT_EQ(L"user", arguments.profile_name);
}

TEST(MoveArgumentsTest, FolderContainment) {
  struct {
    const wchar_t* outer;
    const wchar_t* inner;
    bool contains;
  } cases[] = {
      {L"D:\\Sync", L"D:\\Sync\\New", true},  {L"D:\\Sync", L"D:\\SyncNew", false},
      {L"d:\\sync", L"D:\\Sync\\x", true},    {L"D:\\Sync\\", L"D:\\Sync\\New", true},
      {L"D:\\", L"D:\\Sync", true},           {L"D:\\Sync\\New", L"D:\\Sync", false},
      {L"D:\\Sync", L"D:\\Sync", false},      {L"D:/Sync", L"D:\\Sync\\a/b", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.contains, FolderContains(c.outer, c.inner))
        << test_support::ToUtf8(c.outer) << " / " << test_support::ToUtf8(c.inner);
  EXPECT_TRUE(SameFolder(L"D:\\Sync", L"d:\\SYNC\\"));
  EXPECT_FALSE(SameFolder(L"D:\\Sync", L"D:\\SyncNew"));
}

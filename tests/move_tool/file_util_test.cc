// The file operations on real folders, within one volume and across the test drives.
#include "base/files/file_util.h"

#include <gtest/gtest.h>

#include "move_tool/move_test_support.h"
#include "support/test_support.h"

using move_test::ScratchFolder;
using move_test::TakeManifest;

TEST(FileUtilTest, ParentFolder) {
  struct {
    const wchar_t* path;
    const wchar_t* parent;
  } cases[] = {
      {L"C:\\a\\b", L"C:\\a"}, {L"C:\\a", L"C:\\"},   {L"C:\\", L"C:\\"},
      {L"a.txt", L"."},        {L"C:\\a\\b\\", L"C:\\a"}, {L"\\\\server\\share\\x", L"\\\\server\\share"},
      {L"x/y", L"x"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.parent, file_util::ParentFolder(c.path)) << test_support::ToUtf8(c.path);
}

TEST(FileUtilTest, PresenceOfFilesAndFolders) {
  ScratchFolder root('M');
  std::wstring file = root.Join(L"f.txt");
  ASSERT_TRUE(move_test::WriteSampleFile(file, 10, 1));
  EXPECT_TRUE(file_util::PathPresent(file));
  EXPECT_FALSE(file_util::FolderPresent(file));
  EXPECT_TRUE(file_util::PathPresent(root.path()));
  EXPECT_TRUE(file_util::FolderPresent(root.path()));
  EXPECT_FALSE(file_util::PathPresent(root.Join(L"missing")));
  EXPECT_FALSE(file_util::FolderPresent(root.Join(L"missing")));
}

TEST(FileUtilTest, MovePathRenamesFilesAndReplacesTargets) {
  for (wchar_t target_drive : {L'M', L'N'}) {
    ScratchFolder source('M'), target(target_drive);
    std::wstring from = source.Join(L"文件.bin");
    ASSERT_TRUE(move_test::WriteSampleFile(from, 5000, 7));
    move_test::Manifest before = TakeManifest(source.path());
    ASSERT_TRUE(move_test::WriteSampleFile(target.Join(L"文件.bin"), 3, 8));  // replaced
    EXPECT_TRUE(file_util::MovePath(from, target.Join(L"文件.bin")));
    EXPECT_FALSE(file_util::PathPresent(from));
    EXPECT_EQ("", move_test::DescribeDifferences(before, TakeManifest(target.path())));
  }
}

TEST(FileUtilTest, MovePathOfFolderOntoExistingFolderMergesIntoIt) {
  for (wchar_t target_drive : {L'M', L'N'}) {
    ScratchFolder source('M'), target(target_drive);
    ASSERT_TRUE(move_test::MakeFolders(source.Join(L"a\\b")));
    ASSERT_TRUE(move_test::WriteSampleFile(source.Join(L"a\\b\\new.txt"), 100, 1));
    ASSERT_TRUE(move_test::MakeFolders(target.Join(L"a")));
    ASSERT_TRUE(move_test::WriteSampleFile(target.Join(L"a\\old.txt"), 50, 2));
    // The folder goes inside the existing target folder and merges with "a" there.
    EXPECT_TRUE(file_util::MovePath(source.Join(L"a"), target.path()));
    EXPECT_FALSE(file_util::PathPresent(source.Join(L"a")));
    move_test::Manifest after = TakeManifest(target.path());
    EXPECT_EQ(1u, after.count(L"a\\old.txt"));
    EXPECT_EQ(1u, after.count(L"a\\b\\new.txt"));
    EXPECT_EQ(4u, after.size()) << move_test::DescribeDifferences({}, after);
  }
}

TEST(FileUtilTest, LongPathsAreRefusedBeforeTouchingAnything) {
  ScratchFolder root('M');
  std::wstring file = root.Join(L"f.txt");
  ASSERT_TRUE(move_test::WriteSampleFile(file, 10, 1));
  std::wstring long_path = root.path() + L"\\" + std::wstring(MAX_PATH - root.path().size() - 1, L'x');
  ASSERT_EQ(static_cast<size_t>(MAX_PATH), long_path.size());
  EXPECT_FALSE(file_util::MovePath(file, long_path));
  EXPECT_FALSE(file_util::CopyFolderTree(file, long_path, true));
  EXPECT_FALSE(file_util::DeletePath(long_path, true));
  EXPECT_TRUE(file_util::PathPresent(file));
  // One character less is fine.
  long_path.pop_back();
  EXPECT_TRUE(file_util::MovePath(file, long_path));
  EXPECT_TRUE(file_util::DeletePath(long_path, false));
}

TEST(FileUtilTest, DeletePathRemovesTreesAndCountsMissingPathsAsDeleted) {
  ScratchFolder root('M');
  ASSERT_TRUE(move_test::MakeFolders(root.Join(L"tree")));
  move_test::BuildSampleTree(root.Join(L"tree"), 12);
  std::wstring read_only = root.Join(L"tree\\docs\\ro.txt");
  ASSERT_TRUE(move_test::WriteSampleFile(read_only, 10, 1));
  SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(file_util::DeletePath(root.Join(L"tree"), true));
  EXPECT_FALSE(file_util::PathPresent(root.Join(L"tree")));
  EXPECT_TRUE(file_util::DeletePath(root.Join(L"tree"), true));
  EXPECT_TRUE(file_util::DeletePath(root.Join(L"never\\there"), false));
}

TEST(FileUtilTest, CopyFolderTreeCopiesEverythingOrOnlyTheTopLevel) {
  ScratchFolder source('M'), target('N');
  ASSERT_TRUE(move_test::MakeFolders(source.Join(L"tree")));
  move_test::BuildSampleTree(source.Join(L"tree"), 12);
  move_test::Manifest tree = TakeManifest(source.Join(L"tree"));
  EXPECT_TRUE(file_util::CopyFolderTree(source.Join(L"tree"), target.Join(L"copy"), true));
  EXPECT_EQ("", move_test::DescribeDifferences(tree, TakeManifest(target.Join(L"copy"))));
  EXPECT_EQ("", move_test::DescribeDifferences(tree, TakeManifest(source.Join(L"tree"))));

  EXPECT_TRUE(file_util::CopyFolderTree(source.Join(L"tree"), target.Join(L"top"), false));
  move_test::Manifest top = TakeManifest(target.Join(L"top"));
  EXPECT_EQ(1u, top.count(L"澄舟说明.txt")) << move_test::DescribeDifferences(tree, top);
}

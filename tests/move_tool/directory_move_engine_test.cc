// The move engine on real folders: renames within drive M:, copies from M: to N:.
#include "move_tool/directory_move_engine.h"

#include <gtest/gtest.h>

#include "base/files/file_util.h"
#include "move_tool/move_notify.h"
#include "move_tool/move_test_support.h"
#include "support/test_support.h"

using move_test::DescribeDifferences;
using move_test::Manifest;
using move_test::NotificationRecorder;
using move_test::ScratchFolder;
using move_test::TakeManifest;

namespace {

const wchar_t kBackupRoot[] = L".nubrel.cache\\.merge";

// Holds a file open without sharing, so that neither a rename nor a copy can take it.
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

class DirectoryMoveEngineTest : public move_test::MoveFolders, public ::testing::TestWithParam<wchar_t> {
 protected:
  DirectoryMoveEngineTest() : MoveFolders(GetParam()) {}

  // Target files that stand where source files will go, one of them deep in the tree, and
  // one folder standing where the source has a file.
  void PlaceFilesInTheWay(const Manifest& source) {
    std::vector<std::wstring> files = move_test::FilePaths(source);
    move_test::MakeFolders(target_ + L"\\unrelated");
    move_test::WriteSampleFile(target_ + L"\\unrelated\\keep.txt", 300, 90);
    for (size_t i = 0; i < files.size(); i += 4) {
      std::wstring path = target_ + L"\\" + files[i];
      move_test::MakeFolders(file_util::ParentFolder(path));
      if (i == 8) {
        move_test::MakeFolders(path + L"\\inside");
        move_test::WriteSampleFile(path + L"\\inside\\old.txt", 10, 91);
      } else {
        move_test::WriteSampleFile(path, 50 + i, 100 + static_cast<unsigned>(i));
      }
    }
  }

};

LONGLONG Sum(const std::vector<LONGLONG>& values) {
  LONGLONG sum = 0;
  for (LONGLONG v : values) sum += v;
  return sum;
}

TEST_P(DirectoryMoveEngineTest, MovesEveryFileByteIdentical) {
  move_test::BuildSampleTree(source_, 40);
  Manifest before = TakeManifest(source_);
  NotificationRecorder recorder;
  DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
  EXPECT_EQ(same_volume(), engine.same_volume());

  EXPECT_EQ(move_test::TotalFileSize(before), engine.ComputeDirectorySize(source_));
  ASSERT_TRUE(engine.MoveDirectoryTree(source_));

  EXPECT_EQ("", DescribeDifferences(before, TakeManifest(target_)));
  EXPECT_TRUE(recorder.ValuesOf(NOTIFY_ERROR).empty());
  // Finished files are reported in batches, all of them by the end.
  std::vector<LONGLONG> done = recorder.ValuesOf(NOTIFY_FILE_DONE);
  EXPECT_GE(done.size(), 1u);
  EXPECT_LE(done.size(), move_test::FilePaths(before).size());
  EXPECT_EQ(move_test::TotalFileSize(before), Sum(done));
  // Renames take the files away; copies leave the source for the caller to delete.
  Manifest source_after = TakeManifest(source_);
  EXPECT_EQ(same_volume() ? 0u : move_test::FilePaths(before).size(),
            move_test::FilePaths(source_after).size());
  EXPECT_FALSE(file_util::PathPresent(target_ + L"\\.nubrel.cache"));
}

TEST_P(DirectoryMoveEngineTest, EmptySourceMovesNothing) {
  NotificationRecorder recorder;
  DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
  EXPECT_EQ(0, engine.ComputeDirectorySize(source_));
  EXPECT_TRUE(engine.MoveDirectoryTree(source_));
  EXPECT_TRUE(recorder.notices().empty());
  EXPECT_TRUE(TakeManifest(target_).empty());
}

TEST_P(DirectoryMoveEngineTest, FilesInTheWayAreSetAsideBelowTheBackupRoot) {
  move_test::BuildSampleTree(source_, 20);
  Manifest source = TakeManifest(source_);
  PlaceFilesInTheWay(source);
  Manifest target_before = TakeManifest(target_);
  NotificationRecorder recorder;
  DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
  EXPECT_EQ(target_ + L"\\" + kBackupRoot, engine.backup_root());
  ASSERT_TRUE(engine.MoveDirectoryTree(source_));

  // Every file of the source is in place, and every target entry that was in the way is kept
  // at the same relative place below the backup root.
  Manifest after = TakeManifest(target_);
  Manifest backup = TakeManifest(engine.backup_root());
  for (const auto& item : source) {
    ASSERT_EQ(1u, after.count(item.first)) << test_support::ToUtf8(item.first);
    EXPECT_TRUE(item.second == after[item.first]) << test_support::ToUtf8(item.first);
  }
  for (const auto& item : target_before) {
    if (source.count(item.first) && !(item.second.is_folder && source.at(item.first).is_folder)) {
      ASSERT_EQ(1u, backup.count(item.first)) << test_support::ToUtf8(item.first);
      EXPECT_TRUE(item.second == backup[item.first]) << test_support::ToUtf8(item.first);
    } else if (!source.count(item.first)) {
      EXPECT_EQ(1u, after.count(item.first) + backup.count(item.first)) << test_support::ToUtf8(item.first);
    }
  }
}

// For every position k: file k cannot be taken; the move stops there, reports, and the
// rollback leaves source and target exactly as they were.
TEST_P(DirectoryMoveEngineTest, FailureAtEveryFileRollsBackCompletely) {
  move_test::BuildSampleTree(source_, 30);
  Manifest source_before = TakeManifest(source_);
  PlaceFilesInTheWay(source_before);
  Manifest target_before = TakeManifest(target_);
  std::vector<std::wstring> files = move_test::FilePaths(source_before);
  ASSERT_GE(files.size(), 30u);

  for (size_t k = 0; k < files.size(); ++k) {
    SCOPED_TRACE("file " + std::to_string(k) + ": " + test_support::ToUtf8(files[k]));
    NotificationRecorder recorder;
    DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
    {
      HeldFile held(source_ + L"\\" + files[k]);
      ASSERT_TRUE(held.held());
      EXPECT_FALSE(engine.MoveDirectoryTree(source_));
      EXPECT_TRUE(engine.Rollback());
    }
    std::vector<LONGLONG> errors = recorder.ValuesOf(NOTIFY_ERROR);
    ASSERT_EQ(1u, errors.size());
    // A failed rename knows no code; a failed copy reports the sharing violation.
    EXPECT_EQ(same_volume() ? 0 : ERROR_SHARING_VIOLATION, errors[0]);
    ASSERT_EQ("", DescribeDifferences(source_before, TakeManifest(source_)));
    ASSERT_EQ("", DescribeDifferences(target_before, TakeManifest(target_)));
  }
}

// A file where the source has a folder stops the move, and stays the user's file.
TEST_P(DirectoryMoveEngineTest, TargetFileWhereSourceHasAFolderIsKept) {
  move_test::BuildSampleTree(source_, 12);
  ASSERT_TRUE(move_test::WriteSampleFile(target_ + L"\\photos", 33, 9));
  Manifest source_before = TakeManifest(source_);
  Manifest target_before = TakeManifest(target_);
  NotificationRecorder recorder;
  DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
  EXPECT_FALSE(engine.MoveDirectoryTree(source_));
  EXPECT_EQ(1u, recorder.ValuesOf(NOTIFY_ERROR).size());
  engine.Rollback();
  EXPECT_EQ("", DescribeDifferences(source_before, TakeManifest(source_)));
  EXPECT_EQ("", DescribeDifferences(target_before, TakeManifest(target_)));
}

TEST_P(DirectoryMoveEngineTest, MissingTargetFolderFailsAndLeavesTheSource) {
  move_test::BuildSampleTree(source_, 8);
  Manifest source_before = TakeManifest(source_);
  std::wstring missing = target_root_.Join(L"no parent\\target");
  NotificationRecorder recorder;
  DirectoryMoveEngine engine(source_, missing, recorder.hwnd());
  EXPECT_FALSE(engine.MoveDirectoryTree(source_));
  engine.Rollback();
  EXPECT_EQ("", DescribeDifferences(source_before, TakeManifest(source_)));
  EXPECT_FALSE(file_util::PathPresent(target_root_.Join(L"no parent")));
}

TEST_P(DirectoryMoveEngineTest, DeleteDirectoryContentsRemovesWhatItCan) {
  move_test::BuildSampleTree(source_, 12);
  std::wstring kept = source_ + L"\\docs\\2023\\held.txt";
  ASSERT_TRUE(move_test::WriteSampleFile(kept, 10, 1));
  HeldFile held(kept);
  DirectoryMoveEngine engine(source_, target_, nullptr);
  EXPECT_FALSE(engine.DeleteDirectoryContents(source_));
  Manifest left = TakeManifest(source_);
  EXPECT_EQ(1u, move_test::FilePaths(left).size()) << DescribeDifferences({}, left);
  EXPECT_EQ(1u, left.count(L"docs\\2023\\held.txt"));
  EXPECT_TRUE(file_util::FolderPresent(source_));
}

INSTANTIATE_TEST_SUITE_P(Volumes, DirectoryMoveEngineTest, ::testing::Values(L'M', L'N'),
                         move_test::VolumeParamName);

}  // namespace

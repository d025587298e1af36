// Moves onto a real full disk: a 2 MB tmpfs mounted at N:\full-disk by the test fixture.
#include <gtest/gtest.h>

#include "base/files/file_util.h"
#include "move_tool/directory_move_engine.h"
#include "move_tool/gui_driver.h"
#include "move_tool/move_notify.h"
#include "move_tool/move_test_support.h"
#include "move_tool/move_tool_run.h"
#include "support/test_support.h"

using move_test::DescribeDifferences;
using move_test::Manifest;
using move_test::TakeManifest;

namespace {

const wchar_t kFullDisk[] = L"N:\\full-disk";
const ULONGLONG kLargestSmallVolume = 16 << 20;

std::string Utf8(const std::wstring& text) { return test_support::ToUtf8(text); }

// Source on M: with more than fits on the small disk; target on the small disk with a file
// in the way of a source file.
class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ULARGE_INTEGER free_bytes, total_bytes;
    if (!GetDiskFreeSpaceExW(kFullDisk, &free_bytes, nullptr, &total_bytes) ||
        total_bytes.QuadPart > kLargestSmallVolume)
      GTEST_SKIP() << "no small volume at N:\\full-disk (mounting a tmpfs needs root)";
    source_ = source_root_.Join(L"sync");
    target_ = std::wstring(kFullDisk) + L"\\target-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(move_test::MakeFolders(source_));
    ASSERT_TRUE(move_test::MakeFolders(target_ + L"\\docs"));
    move_test::BuildSampleTree(source_, 20);
    ASSERT_TRUE(move_test::WriteSampleFile(source_ + L"\\photos\\big-1.bin", 1200 * 1024, 1));
    ASSERT_TRUE(move_test::WriteSampleFile(source_ + L"\\photos\\big-2.bin", 1200 * 1024, 2));
    ASSERT_TRUE(move_test::WriteSampleFile(target_ + L"\\澄舟说明.txt", 99, 3));
    ASSERT_TRUE(move_test::WriteSampleFile(target_ + L"\\docs\\mine.txt", 98, 4));
    source_before_ = TakeManifest(source_);
    target_before_ = TakeManifest(target_);
  }
  void TearDown() override {
    if (!target_.empty()) test_support::RemoveTree(target_);
  }

  move_test::ScratchFolder source_root_{'M'};
  std::wstring source_;
  std::wstring target_;
  Manifest source_before_;
  Manifest target_before_;
};

struct ErrorCheck {
  const Manifest* source;
  const Manifest* target_before;
  std::wstring target;
  std::string partial_files;
};

// Every file that the move has added to the target by the time of the error is complete.
void FindPartialFiles(void* param, DWORD) {
  auto* check = static_cast<ErrorCheck*>(param);
  for (const auto& item : TakeManifest(check->target)) {
    if (item.second.is_folder || check->target_before->count(item.first) ||
        item.first.rfind(L".nubrel.cache", 0) == 0)
      continue;
    auto source = check->source->find(item.first);
    if (source == check->source->end() || !(source->second == item.second))
      check->partial_files += Utf8(item.first) + " ";
  }
}

TEST_F(FullDiskTest, EngineReportsDiskFullLeavesNoPartialFileAndRollsBack) {
  move_test::NotificationRecorder recorder;
  ErrorCheck check = {&source_before_, &target_before_, target_, ""};
  recorder.OnError(FindPartialFiles, &check);
  DirectoryMoveEngine engine(source_, target_, recorder.hwnd());
  EXPECT_FALSE(engine.MoveDirectoryTree(source_));
  ASSERT_EQ(std::vector<LONGLONG>{ERROR_DISK_FULL}, recorder.ValuesOf(NOTIFY_ERROR));
  EXPECT_EQ("", check.partial_files) << "partly written files in the target";
  engine.Rollback();
  EXPECT_EQ("", DescribeDifferences(source_before_, TakeManifest(source_)));
  EXPECT_EQ("", DescribeDifferences(target_before_, TakeManifest(target_)));
}

TEST_F(FullDiskTest, ToolShowsTheDiskFullTextAndRollsBack) {
  move_test::MoveToolRun run;
  ASSERT_TRUE(run.Start(run.Arguments(source_, target_)));
  HWND box = gui_driver::FindWindowOf(run.pid(), move_test::kMessageBoxCaption, 20000);
  ASSERT_NE(nullptr, box) << "no message box";
  EXPECT_EQ(Utf8(move_test::kDiskFullText), Utf8(gui_driver::MessageBoxText(box)));
  EXPECT_TRUE(gui_driver::SaveScreenshot(gui_driver::ArtefactsDir() + L"\\move-tool-disk-full.bmp"));
  ASSERT_TRUE(gui_driver::PressButton(box, IDOK));
  DWORD exit_code = 99;
  ASSERT_TRUE(run.WaitForExit(60000, &exit_code));
  EXPECT_EQ(0u, exit_code);
  EXPECT_EQ("", DescribeDifferences(source_before_, TakeManifest(source_)));
  EXPECT_EQ("", DescribeDifferences(target_before_, TakeManifest(target_)));
  EXPECT_EQ(move_test::kOldSyncFolder, run.RecordedSyncFolder());
  EXPECT_EQ(std::vector<std::string>{"teravel_disk_startup"}, run.Launches(true));
}

}  // namespace

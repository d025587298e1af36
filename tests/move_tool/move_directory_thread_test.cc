// The worker thread: its notifications in order, completion or rollback, the copy progress
// routine, and a worker whose dialog is gone.
#include "move_tool/move_directory_thread.h"

#include <gtest/gtest.h>

#include "base/files/file_util.h"
#include "move_tool/directory_move_engine.h"
#include "move_tool/move_notify.h"
#include "move_tool/move_test_support.h"
#include "support/test_support.h"

using move_test::DescribeDifferences;
using move_test::Manifest;
using move_test::NotificationRecorder;
using move_test::ScratchFolder;
using move_test::TakeManifest;

namespace {

const DWORD kMoveTimeoutMs = 60000;

class MoveDirectoryThreadTest : public move_test::MoveFolders, public ::testing::TestWithParam<wchar_t> {
 protected:
  MoveDirectoryThreadTest() : MoveFolders(GetParam()) {}
};

TEST_P(MoveDirectoryThreadTest, ReportsStartFilesAndSuccessThenSourceIsGone) {
  move_test::BuildSampleTree(source_, 25);
  Manifest before = TakeManifest(source_);
  NotificationRecorder recorder;
  MoveDirectoryThread::StartMove(source_, target_, recorder.hwnd());
  ASSERT_TRUE(recorder.PumpUntil(NOTIFY_FINISHED, kMoveTimeoutMs));

  const auto& notices = recorder.notices();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(NOTIFY_STARTED, notices.front().kind);
  EXPECT_EQ(move_test::TotalFileSize(before), notices.front().value);
  EXPECT_EQ(NOTIFY_FINISHED, notices.back().kind);
  EXPECT_EQ(1, notices.back().value);
  LONGLONG done = 0;
  for (LONGLONG bytes : recorder.ValuesOf(NOTIFY_FILE_DONE)) done += bytes;
  EXPECT_EQ(move_test::TotalFileSize(before), done);
  EXPECT_TRUE(recorder.ValuesOf(NOTIFY_ERROR).empty());
  EXPECT_EQ("", DescribeDifferences(before, TakeManifest(target_)));
  EXPECT_FALSE(file_util::PathPresent(source_));
}

TEST_P(MoveDirectoryThreadTest, FailureEndsUnsuccessfulWithEverythingBack) {
  move_test::BuildSampleTree(source_, 12);
  ASSERT_TRUE(move_test::WriteSampleFile(target_ + L"\\澄舟说明.txt", 9, 3));  // set aside, then back
  Manifest source_before = TakeManifest(source_);
  Manifest target_before = TakeManifest(target_);
  std::wstring busy = source_ + L"\\docs\\2023\\深层\\busy.txt";
  ASSERT_TRUE(move_test::WriteSampleFile(busy, 10, 4));
  source_before = TakeManifest(source_);
  HANDLE held = CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);

  NotificationRecorder recorder;
  MoveDirectoryThread::StartMove(source_, target_, recorder.hwnd());
  ASSERT_TRUE(recorder.PumpUntil(NOTIFY_ERROR, kMoveTimeoutMs));
  ASSERT_TRUE(recorder.PumpUntil(NOTIFY_FINISHED, kMoveTimeoutMs));
  CloseHandle(held);
  EXPECT_EQ(0, recorder.notices().back().value);
  EXPECT_EQ("", DescribeDifferences(source_before, TakeManifest(source_)));
  EXPECT_EQ("", DescribeDifferences(target_before, TakeManifest(target_)));
}

// With the dialog gone the worker still completes the move and disposes of itself.
TEST_P(MoveDirectoryThreadTest, WorkerWithoutDialogFinishesTheMove) {
  move_test::BuildSampleTree(source_, 10);
  Manifest before = TakeManifest(source_);
  NotificationRecorder recorder;
  recorder.DestroyOnStart();
  MoveDirectoryThread::StartMove(source_, target_, recorder.hwnd());
  ASSERT_TRUE(recorder.PumpUntil(NOTIFY_STARTED, kMoveTimeoutMs));
  DWORD start = GetTickCount();
  while (file_util::PathPresent(source_) && GetTickCount() - start < kMoveTimeoutMs) SwitchToThread();
  EXPECT_FALSE(file_util::PathPresent(source_)) << "the move did not finish";
  EXPECT_EQ("", DescribeDifferences(before, TakeManifest(target_)));
  EXPECT_EQ(1u, recorder.notices().size());
}

INSTANTIATE_TEST_SUITE_P(Volumes, MoveDirectoryThreadTest, ::testing::Values(L'M', L'N'),
                         move_test::VolumeParamName);

LARGE_INTEGER Bytes(LONGLONG count) {
  LARGE_INTEGER value;
  value.QuadPart = count;
  return value;
}

DWORD Progress(LONGLONG transferred, HWND dialog) {
  return CopyProgressRoutine(Bytes(1 << 20), Bytes(transferred), Bytes(1 << 20), Bytes(transferred), 1,
                             CALLBACK_CHUNK_FINISHED, nullptr, nullptr, dialog);
}

// The system calls the routine during each cross-volume copy (not every system does; here it
// is called directly).
TEST(CopyProgressRoutineTest, ReportsCopiedBytesAtMostEvery50ms) {
  NotificationRecorder recorder;
  ResetCopyProgressThrottle();
  EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), Progress(0, recorder.hwnd()));  // start of a file
  EXPECT_TRUE(recorder.notices().empty());
  EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), Progress(1000, nullptr));  // no dialog to tell
  EXPECT_TRUE(recorder.notices().empty());

  // The routine stamps its report somewhere between `before` and `after`.
  DWORD before = GetTickCount();
  DWORD before_first = GetTickCount();
  EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), Progress(4096, recorder.hwnd()));
  DWORD after_first = GetTickCount();
  ASSERT_EQ(1u, recorder.notices().size());
  EXPECT_EQ(NOTIFY_PROGRESS, recorder.notices()[0].kind);
  EXPECT_EQ(4096, recorder.notices()[0].value);

  // The first report was made at a tick between before_first and after_first. Calls within
  // 50 ms of it send nothing; once more than 50 ms have passed, the next call reports.
  LONGLONG copied = 4096;
  for (;;) {
    DWORD call_start = GetTickCount();
    EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), Progress(copied += 10, recorder.hwnd()));
    DWORD call_end = GetTickCount();
    if (recorder.notices().size() > 1) {
      EXPECT_GT(call_end - before_first, 50u) << "reported too early";
      break;
    }
    ASSERT_LE(call_start - after_first, 50u) << "no report after more than 50 ms";
  }
  ASSERT_EQ(2u, recorder.notices().size());
  EXPECT_EQ(copied, recorder.notices()[1].value);

  // A vanished dialog is not sent anything.
  HWND gone = recorder.hwnd();
  DestroyWindow(gone);
  ResetCopyProgressThrottle();
  EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), Progress(copied, gone));
}

}  // namespace

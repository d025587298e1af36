// The dialog's account of a move: bar positions and the time-left line.
#include "move_tool/move_progress.h"

#include <gtest/gtest.h>

namespace {

const LONGLONG kMB = 1 << 20;

std::wstring LineOf(const MoveProgress& progress) {
  std::wstring line = L"<unchanged>";
  progress.TimeLeftLine(&line);
  return line;
}

TEST(MoveProgressTest, CopiesAcrossVolumesShowBarAndEstimate) {
  MoveProgress progress;
  progress.Started(100 * kMB, 1000);
  EXPECT_EQ(L"<unchanged>", LineOf(progress));  // no copy progress yet
  EXPECT_EQ(25, progress.Copied(25 * kMB, 11000));
  // 10 s for 25 MB, 75 MB to go: 30 s, shown as 35; 25 MB in 10 s is 2 MB/s in whole MB.
  EXPECT_EQ(L"大约剩余 35 秒   速度 2 MB/s", LineOf(progress));
  bool all_done = true;
  EXPECT_EQ(40, progress.FileDone(40 * kMB, &all_done));
  EXPECT_FALSE(all_done);
  EXPECT_EQ(70, progress.Copied(30 * kMB, 21000));  // 40 MB done plus 30 MB of the next file
  EXPECT_EQ(100, progress.FileDone(60 * kMB, &all_done));
  EXPECT_TRUE(all_done);
  EXPECT_EQ(L"", LineOf(progress));
}

TEST(MoveProgressTest, RenamesWithinOneVolumeNeverShowAnEstimate) {
  MoveProgress progress;
  progress.Started(4000, 0);
  bool all_done = true;
  EXPECT_EQ(25, progress.FileDone(1000, &all_done));
  EXPECT_FALSE(all_done);
  EXPECT_EQ(L"<unchanged>", LineOf(progress));
  EXPECT_EQ(100, progress.FileDone(3000, &all_done));
  EXPECT_TRUE(all_done);
  EXPECT_EQ(L"<unchanged>", LineOf(progress));
}

TEST(MoveProgressTest, EmptyOrTinySourceCountsOneByte) {
  for (LONGLONG total : {0LL, 1LL}) {
    MoveProgress progress;
    progress.Started(total, 0);
    EXPECT_EQ(1, progress.total_bytes());
  }
}

// Files that grew after they were measured: the bar stops at its end and the estimate shows
// the shortest time rather than a negative one.
TEST(MoveProgressTest, MoreBytesThanMeasuredStaySane) {
  MoveProgress progress;
  progress.Started(10 * kMB, 0);
  EXPECT_EQ(100, progress.Copied(15 * kMB, 1000));
  EXPECT_EQ(L"大约剩余 1 秒   速度 15 MB/s", LineOf(progress));
}

TEST(MoveProgressTest, ElapsedTimeSurvivesTheTickCountWrapping) {
  MoveProgress progress;
  progress.Started(100 * kMB, 0xFFFFF000u);  // 4096 ms before the wrap
  progress.Copied(50 * kMB, 5904);           // 10 s later
  EXPECT_EQ(L"大约剩余 15 秒   速度 5 MB/s", LineOf(progress));
}

TEST(MoveProgressTest, PercentOf) {
  EXPECT_EQ(0, PercentOf(5, 0));
  EXPECT_EQ(33, PercentOf(1, 3));
  EXPECT_EQ(99, PercentOf(999, 1000));
  EXPECT_EQ(100, PercentOf(2000, 1000));
  EXPECT_EQ(0, PercentOf(-5, 1000));
}

}  // namespace

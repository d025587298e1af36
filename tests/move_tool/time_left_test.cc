// The estimate: rounding steps, the three text forms, speed, and odd inputs.
#include "move_tool/time_left.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(TimeLeftTest, RoundingAndTextForms) {
  struct {
    int seconds;
    int rounded;
    const wchar_t* text;  // at 7 MB/s
  } cases[] = {
      {0, 1, L"大约剩余 1 秒   速度 7 MB/s"},
      {1, 1, L"大约剩余 1 秒   速度 7 MB/s"},
      {2, 5, L"大约剩余 5 秒   速度 7 MB/s"},
      {5, 5, L"大约剩余 5 秒   速度 7 MB/s"},
      {6, 10, L"大约剩余 10 秒   速度 7 MB/s"},
      {10, 15, L"大约剩余 15 秒   速度 7 MB/s"},
      {15, 15, L"大约剩余 15 秒   速度 7 MB/s"},
      {16, 20, L"大约剩余 20 秒   速度 7 MB/s"},
      {20, 25, L"大约剩余 25 秒   速度 7 MB/s"},
      {59, 60, L"大约剩余 60 秒   速度 7 MB/s"},
      {61, 65, L"大约剩余 1 分钟   速度 7 MB/s"},
      {3599, 3600, L"大约剩余 60 分钟   速度 7 MB/s"},
      {3601, 3605, L"大约剩余 1 小时 0 分钟   速度 7 MB/s"},
      {7385, 7385, L"大约剩余 2 小时 3 分钟   速度 7 MB/s"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(c.rounded, RoundSecondsLeft(c.seconds));
    EXPECT_EQ(c.text, TimeLeftText(RoundSecondsLeft(c.seconds), 7));
  }
}

TEST(TimeLeftTest, SecondsLeftAtTheAverageRateSoFar) {
  // 10 s for 25 MB, 75 MB to go: 30 s.
  EXPECT_EQ(30, SecondsLeft(10000, 25LL << 20, 100LL << 20));
  EXPECT_EQ(1, SecondsLeft(10000, 100LL << 20, 100LL << 20));  // nothing left
  EXPECT_EQ(1, SecondsLeft(0, 5, 100));                        // no time has passed yet
}

// Files that grew after they were measured: more copied than the total. The estimate stays
// a sane small number instead of going negative.
TEST(TimeLeftTest, MoreCopiedThanMeasuredShowsTheShortestEstimate) {
  int seconds = SecondsLeft(20000, 150LL << 20, 100LL << 20);
  EXPECT_EQ(1, seconds);
  EXPECT_EQ(L"大约剩余 1 秒   速度 7 MB/s", TimeLeftText(RoundSecondsLeft(seconds), 7));
}

TEST(TimeLeftTest, HugeEstimatesStayPositive) {
  int seconds = SecondsLeft(1e12, 1, 1LL << 62);
  EXPECT_GT(seconds, 3600);
  EXPECT_GT(RoundSecondsLeft(seconds), 3600);
}

TEST(TimeLeftTest, SpeedInWholeMegabytesPerSecond) {
  EXPECT_EQ(0, SpeedMBPerSecond(100LL << 20, 0));
  EXPECT_EQ(10, SpeedMBPerSecond(100LL << 20, 10000));
  EXPECT_EQ(2, SpeedMBPerSecond((5LL << 20) + 1000, 2000));  // whole MB only: 5 / 2 s
  EXPECT_EQ(0, SpeedMBPerSecond(1000, 500));
}

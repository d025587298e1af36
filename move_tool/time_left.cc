#include "move_tool/time_left.h"

namespace {

// Keeps the rounding (which adds up to 10) and the text within a 32-bit integer.
const double kLongestEstimate = 2147483647.0 - 10;

}  // namespace

int SecondsLeft(double elapsed_ms, LONGLONG current_bytes, LONGLONG total_bytes) {
  LONGLONG remaining = total_bytes - current_bytes;
  if (remaining <= 0 || current_bytes <= 0) return 1;
  double seconds = elapsed_ms / static_cast<double>(current_bytes) * static_cast<double>(remaining) / 1000.0;
  if (!(seconds >= 1.0)) return 1;  // also catches a NaN
  if (seconds > kLongestEstimate) return static_cast<int>(kLongestEstimate);
  return static_cast<int>(seconds);
}

int SpeedMBPerSecond(LONGLONG current_bytes, double elapsed_ms) {
  if (elapsed_ms == 0) return 0;
  double speed = static_cast<double>(current_bytes / 1024 / 1024) / (elapsed_ms / 1000.0);
  if (!(speed >= 0)) return 0;
  return speed > kLongestEstimate ? static_cast<int>(kLongestEstimate) : static_cast<int>(speed);
}

int RoundSecondsLeft(int seconds) {
  int r = seconds % 10;
  if (r > 5) return seconds - r + 10;
  if (seconds > 1) return seconds - r + 5;
  return 1;
}

std::wstring TimeLeftText(int t, int speed) {
  wchar_t text[128];
  if (t > 3600) {
    wsprintfW(text, L"大约剩余 %d 小时 %d 分钟   速度 %d MB/s", t / 3600, (t % 3600) / 60, speed);
  } else if (t > 60) {
    wsprintfW(text, L"大约剩余 %d 分钟   速度 %d MB/s", t / 60, speed);
  } else {
    wsprintfW(text, L"大约剩余 %d 秒   速度 %d MB/s", t, speed);
  }
  return text;
}

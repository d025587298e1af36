#include "move_tool/move_progress.h"

#include "move_tool/time_left.h"

void MoveProgress::Started(LONGLONG total, DWORD now_tick) {
  move_start_tick_ = now_tick;
  total_bytes_ = total <= 1 ? 1 : total;
}

int MoveProgress::Copied(LONGLONG copied, DWORD now_tick) {
  elapsed_ms_ = static_cast<double>(static_cast<DWORD>(now_tick - move_start_tick_));
  current_bytes_ = done_bytes_ + copied;
  return PercentOf(current_bytes_, total_bytes_);
}

int MoveProgress::FileDone(LONGLONG size, bool* all_done) {
  done_bytes_ += size;
  *all_done = done_bytes_ >= total_bytes_;
  return *all_done ? 100 : PercentOf(done_bytes_, total_bytes_);
}

bool MoveProgress::TimeLeftLine(std::wstring* line) const {
  if (current_bytes_ == 0) return false;
  if (done_bytes_ >= total_bytes_) {
    line->clear();
    return true;
  }
  int seconds = SecondsLeft(elapsed_ms_, current_bytes_, total_bytes_);
  *line = TimeLeftText(RoundSecondsLeft(seconds), SpeedMBPerSecond(current_bytes_, elapsed_ms_));
  return true;
}

int PercentOf(LONGLONG part, LONGLONG whole) {
  if (whole <= 0) return 0;
  double percent = static_cast<double>(part) / static_cast<double>(whole) * 100;
  // Files that grew after they were measured could take the bar past its end.
  if (percent >= 100) return 100;
  return percent <= 0 ? 0 : static_cast<int>(percent);
}

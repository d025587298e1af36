// The dialog's account of a running move: the byte counters fed by the worker's
// notifications, the progress bar position, and the time-left line.
#pragma once

#include <windows.h>

#include <string>

class MoveProgress {
 public:
  // The worker has measured `total` bytes (at least 1 is counted) and starts moving.
  void Started(LONGLONG total, DWORD now_tick);
  // `copied` bytes of the current file are copied; gives the bar position.
  int Copied(LONGLONG copied, DWORD now_tick);
  // A file of `size` bytes is done; gives the bar position and whether everything is done.
  int FileDone(LONGLONG size, bool* all_done);
  // The time-left line for the periodic tick. False while no copy progress has arrived (moves
  // within one volume never have any): the line stays as it is. Empty once all is done.
  bool TimeLeftLine(std::wstring* line) const;

  LONGLONG total_bytes() const { return total_bytes_; }
  LONGLONG done_bytes() const { return done_bytes_; }
  LONGLONG current_bytes() const { return current_bytes_; }

 private:
  DWORD move_start_tick_ = 0;
  LONGLONG total_bytes_ = 0;
  LONGLONG done_bytes_ = 0;
  LONGLONG current_bytes_ = 0;  // done_bytes_ plus the copied part of the current file
  double elapsed_ms_ = 0;       // from the start to the last copy progress
};

// `part` of `whole` in whole percent, kept within 0 to 100.
int PercentOf(LONGLONG part, LONGLONG whole);

// The estimate shown while files are copied: seconds left, rounded up to a friendly step, and
// the average speed, as one line of text.
#pragma once

#include <windows.h>

#include <string>

// Seconds left at the average rate so far: 1 when nothing remains. More bytes copied than were
// measured (files that grew meanwhile) also count as nothing remaining; the result is
// always at least 1 and never beyond what the text can show.
int SecondsLeft(double elapsed_ms, LONGLONG current_bytes, LONGLONG total_bytes);

// Average speed in whole MB/s: the whole MB copied over the elapsed seconds; 0 before any time
// has passed.
int SpeedMBPerSecond(LONGLONG current_bytes, double elapsed_ms);

// Rounds seconds to the step shown: 0 and 1 give 1, 2-5 give 5, 6-9 give 10, 10 gives 15,
// 11-15 give 15, 16-19 give 20, 20 gives 25.
int RoundSecondsLeft(int seconds);

// "大约剩余 ... 速度 N MB/s" for already rounded seconds: hours and minutes above an hour,
// minutes above a minute, seconds otherwise.
std::wstring TimeLeftText(int rounded_seconds, int speed_mb_per_second);

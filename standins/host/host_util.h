// Small helpers shared by the host stand-in's objects.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// A counted narrow string as it crosses the host interfaces; null gives an empty text.
inline std::string CountedText(DWORD length, const char* text) {
  return text ? std::string(text, length) : std::string();
}

// Holds a critical section for one scope.
class SectionLock {
 public:
  explicit SectionLock(CRITICAL_SECTION* section) : section_(section) {
    EnterCriticalSection(section_);
  }
  ~SectionLock() { LeaveCriticalSection(section_); }
  SectionLock(const SectionLock&) = delete;
  SectionLock& operator=(const SectionLock&) = delete;

 private:
  CRITICAL_SECTION* section_;
};

}  // namespace host

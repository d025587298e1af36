// CUnknownSingleThread: the base of the plug-in's small single-threaded receivers. Its
// count starts at 1 (the creator's), the object holds a module lock while it exists, and
// destroying it with any other count than 1 is a broken invariant.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "notifications/com_utility/com_module.h"

namespace com {

class CUnknownSingleThread {
 public:
  explicit CUnknownSingleThread(const char* name);
  virtual ~CUnknownSingleThread();
  CUnknownSingleThread(const CUnknownSingleThread&) = delete;
  CUnknownSingleThread& operator=(const CUnknownSingleThread&) = delete;

 protected:
  ULONG InternalAddRef() { return ++m_dwRef; }
  // Falling from 1 sets the count back to 1 and destroys the object.
  ULONG InternalRelease();

 private:
  const char* name_;
  ULONG m_dwRef = 1;
};

}  // namespace com

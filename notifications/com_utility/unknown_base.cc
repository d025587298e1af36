#include "notifications/com_utility/unknown_base.h"

#include <string>

#include "notifications/assertion.h"

namespace com {

CUnknownSingleThread::CUnknownSingleThread(const char* name) : name_(name) { ModuleLock(); }

CUnknownSingleThread::~CUnknownSingleThread() {
  ModuleUnlock();
  if (m_dwRef != 1) {
    std::string detail = std::string(name_) + "@" + ModuleFileName();
    notifications::RaiseAssertion(
        "(\"某 CUnknownSingleThread 派生类析构时引用计数不正确\", m_dwRef == 1)",
        detail.c_str(), __FILE__, __LINE__);
  }
}

ULONG CUnknownSingleThread::InternalRelease() {
  if (--m_dwRef == 0) {
    m_dwRef = 1;
    delete this;
    return 0;
  }
  return m_dwRef;
}

}  // namespace com

#include "notifications/message_manager.h"

#include <new>
#include <string>

#include "notifications/message_dispatcher.h"

namespace notifications {

CMessageManager::CMessageManager() { CMessageDispatcher::acquire(); }

CMessageManager::~CMessageManager() {
  CMessageDispatcher::release();
  if (section_ready_) DeleteCriticalSection(&section_);
}

HRESULT CMessageManager::Create(CMessageManager** manager) {
  *manager = nullptr;
  CMessageManager* created = new (std::nothrow) CMessageManager();
  if (!created) return E_OUTOFMEMORY;
  created->AddRef();
  HRESULT result = created->InitializeSection();
  if (FAILED(result)) {
    created->Release();
    return result;
  }
  *manager = created;
  return S_OK;
}

HRESULT CMessageManager::InitializeSection() {
  if (!InitializeCriticalSectionAndSpinCount(&section_, 0))
    return HRESULT_FROM_WIN32(GetLastError());
  section_ready_ = true;
  return S_OK;
}

HRESULT CMessageManager::Advise(INotificationsEvents* sink) { return AdviseSink(sink); }

HRESULT CMessageManager::Unadvise(INotificationsEvents* sink) { return UnadviseSink(sink); }

HRESULT CMessageManager::Start(DWORD, const char* uid, DWORD, const char* sid,
                               const wchar_t* config_dir) {
  std::string uid_text = uid ? uid : "";
  std::string sid_text = sid ? sid : "";
  std::wstring config_text = config_dir ? config_dir : L"";
  if (CMessageDispatcher* dispatcher = CMessageDispatcher::instance())
    dispatcher->start(uid_text, sid_text, config_text);
  return S_OK;
}

HRESULT CMessageManager::Stop() { return S_OK; }

}  // namespace notifications

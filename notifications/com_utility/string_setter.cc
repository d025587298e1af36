#include "notifications/com_utility/string_setter.h"

namespace com {

CStringSetter::CStringSetter(std::string* target)
    : CUnknownSingleThread("CStringSetter"), target_(target) {}

HRESULT CStringSetter::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, pull_tide::IID_IStringSetter)) {
    *object = static_cast<pull_tide::IStringSetter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT CStringSetter::SetString(DWORD length, const char* text) {
  if (length != 0 && text)
    target_->assign(text, length);
  else
    target_->clear();
  return S_OK;
}

}  // namespace com

// CStringSetter: the receiver a host service fills with a text through SetString. It is
// made over a target string for one call and destroyed by its maker afterwards.
#pragma once

#include <string>

#include "notifications/com_utility/unknown_base.h"
#include "notifications/interfaces/host_interfaces.h"

namespace com {

class CStringSetter : public pull_tide::IStringSetter, public CUnknownSingleThread {
 public:
  explicit CStringSetter(std::string* target);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InternalAddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return InternalRelease(); }
  HRESULT STDMETHODCALLTYPE SetString(DWORD length, const char* text) override;

 private:
  std::string* target_;
};

}  // namespace com

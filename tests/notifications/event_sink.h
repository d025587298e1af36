// A client-side INotificationsEvents sink for the tests: it records each event into a
// shared journal (so the order across sinks shows) and can run an action inside its call.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

#include "notifications/interfaces/plugin_interfaces.h"

namespace notifications_test {

class EventSink : public notifications::INotificationsEvents {
 public:
  // Starts with one reference, the test's.
  EventSink(std::string name, std::vector<std::string>* journal)
      : name_(std::move(name)), journal_(journal) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++ref_count_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG count = --ref_count_;
    if (count == 0) {
      journal_->push_back(name_ + " destroyed");
      delete this;
    }
    return count;
  }
  HRESULT STDMETHODCALLTYPE OnNewMessages(BSTR text) override {
    journal_->push_back(name_ + " " + Narrow(text) + " refs=" + std::to_string(ref_count_));
    if (during_call) during_call();
    return S_OK;
  }

  ULONG ref_count() const { return ref_count_; }
  std::function<void()> during_call;

 private:
  virtual ~EventSink() = default;
  static std::string Narrow(BSTR text) {
    std::string narrow;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) narrow += static_cast<char>(text[i]);
    return narrow;
  }

  std::string name_;
  std::vector<std::string>* journal_;
  ULONG ref_count_ = 1;
};

}  // namespace notifications_test

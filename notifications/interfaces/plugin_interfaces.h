// The plug-in's own COM interfaces: what the host and the client call on it.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

inline constexpr CLSID kClsidDownloadLibPlugin = {
    0x9346072D, 0x1CB2, 0x4682, {0xAE, 0x01, 0xB1, 0x8B, 0xF0, 0x3B, 0xFA, 0x6C}};
inline constexpr IID IID_IDownloadLibPlugin = {
    0xD2D3CA33, 0xE582, 0x49E9, {0x83, 0xD8, 0xA7, 0xCB, 0xAC, 0x3B, 0xB1, 0x87}};
inline constexpr IID IID_INotifications = {
    0x0A0646D1, 0xD8FD, 0x4CD4, {0xB9, 0x7B, 0x56, 0x70, 0x62, 0xD4, 0x95, 0x5D}};
// Recorded by the module at start; no type library ships.
inline constexpr GUID kTypeLibraryId = {
    0x0270ACAC, 0x8D1F, 0x4B3C, {0xA9, 0x6C, 0x94, 0x01, 0xBA, 0x0E, 0xAC, 0x1C}};

struct IDownloadLibPlugin : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Prepare(UINT_PTR value) = 0;                          // 3
  virtual HRESULT STDMETHODCALLTYPE Initialize(pull_tide::IDownloadLibHost* host) = 0;   // 4
  virtual HRESULT STDMETHODCALLTYPE Uninitialize() = 0;                                   // 5
  virtual HRESULT STDMETHODCALLTYPE GetPluginInfo() = 0;                                  // 6
};

// Implemented by the client; registered with INotifications::Advise.
struct INotificationsEvents : public IUnknown {
  // 3: a fetch pass left messages; the text belongs to the caller.
  virtual HRESULT STDMETHODCALLTYPE OnNewMessages(BSTR text) = 0;
};

struct INotifications : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Advise(INotificationsEvents* sink) = 0;    // 3
  virtual HRESULT STDMETHODCALLTYPE Unadvise(INotificationsEvents* sink) = 0;  // 4
  // 5: the user's identifiers and configuration folder; the two DWORDs are unused.
  virtual HRESULT STDMETHODCALLTYPE Start(DWORD unused1, const char* uid, DWORD unused2,
                                          const char* sid, const wchar_t* config_dir) = 0;
  virtual HRESULT STDMETHODCALLTYPE Stop() = 0;  // 6
};

}  // namespace notifications

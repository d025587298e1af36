// A view of the host's frame whose timers run faster than asked: every interval is divided
// by a factor (at least 1 ms is kept). Everything else goes to the frame unchanged. The
// demo uses it so that a notification pass, with the plug-in's own delays, takes seconds.
#pragma once

#include <windows.h>

#include <functional>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/host_object.h"

namespace host {

class TimeScaledFrame : public HostObject<pull_tide::IAsynFrame> {
 public:
  // One reference for the caller.
  static TimeScaledFrame* Create(pull_tide::IAsynFrame* frame, DWORD factor);

  // Called with each timer the plug-in arms, before scaling.
  void set_observer(std::function<void(DWORD id, DWORD interval)> observer) {
    observer_ = std::move(observer);
  }

  HRESULT STDMETHODCALLTYPE StartTimer(pull_tide::IAsynTimerEvents* sink, DWORD id,
                                       DWORD interval, BOOL repeat) override;
  HRESULT STDMETHODCALLTYPE StopTimer(pull_tide::IAsynTimerEvents* sink, DWORD id) override {
    return frame_->StopTimer(sink, id);
  }
  HRESULT STDMETHODCALLTYPE StopAllTimers(pull_tide::IAsynTimerEvents* sink) override {
    return frame_->StopAllTimers(sink);
  }
  HRESULT STDMETHODCALLTYPE CreateIoOperation(pull_tide::IAsynIoOperationEvents* sink,
                                              pull_tide::IAsynIoOperation** operation) override {
    return frame_->CreateIoOperation(sink, operation);
  }
  HRESULT STDMETHODCALLTYPE CreateTcpSocket(pull_tide::IAsynSocket** socket) override {
    return frame_->CreateTcpSocket(socket);
  }
  HRESULT STDMETHODCALLTYPE CreateSpeedLimiter(pull_tide::ISpeedLimiter** limiter) override {
    return frame_->CreateSpeedLimiter(limiter);
  }
  HRESULT STDMETHODCALLTYPE CreateLimitedSocket(pull_tide::IAsynSocket* socket,
                                                pull_tide::ISpeedLimiter* download_limiter,
                                                pull_tide::ISpeedLimiter* upload_limiter,
                                                pull_tide::IAsynSocket** limited_socket) override {
    return frame_->CreateLimitedSocket(socket, download_limiter, upload_limiter, limited_socket);
  }
#define SCALED_FRAME_RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }
  SCALED_FRAME_RESERVED(3) SCALED_FRAME_RESERVED(4) SCALED_FRAME_RESERVED(8)
  SCALED_FRAME_RESERVED(9) SCALED_FRAME_RESERVED(10) SCALED_FRAME_RESERVED(11)
  SCALED_FRAME_RESERVED(12) SCALED_FRAME_RESERVED(14) SCALED_FRAME_RESERVED(15)
  SCALED_FRAME_RESERVED(16) SCALED_FRAME_RESERVED(17) SCALED_FRAME_RESERVED(18)
  SCALED_FRAME_RESERVED(20) SCALED_FRAME_RESERVED(21) SCALED_FRAME_RESERVED(22)
  SCALED_FRAME_RESERVED(23) SCALED_FRAME_RESERVED(24) SCALED_FRAME_RESERVED(25)
  SCALED_FRAME_RESERVED(26) SCALED_FRAME_RESERVED(27)
#undef SCALED_FRAME_RESERVED

 private:
  TimeScaledFrame(pull_tide::IAsynFrame* frame, DWORD factor);
  ~TimeScaledFrame() override = default;

  com::com_ptr<pull_tide::IAsynFrame> frame_;
  DWORD factor_;
  std::function<void(DWORD id, DWORD interval)> observer_;
};

// The host's services as the plug-in sees them in the demo: those of `host`, except that
// the frame is handed out as `frame`.
class FrameSwappingHost : public HostObject<pull_tide::IDownloadLibHost> {
 public:
  // One reference for the caller.
  static FrameSwappingHost* Create(pull_tide::IDownloadLibHost* host,
                                   pull_tide::IAsynFrame* frame);

  HRESULT STDMETHODCALLTYPE RegisterService(REFIID iid, IUnknown* object) override {
    return host_->RegisterService(iid, object);
  }
  HRESULT STDMETHODCALLTYPE RevokeService(REFIID iid) override {
    return host_->RevokeService(iid);
  }
  HRESULT STDMETHODCALLTYPE GetService(REFGUID service, void** object) override;
  HRESULT STDMETHODCALLTYPE CreateObject(REFCLSID clsid, REFIID iid, void** object) override {
    return host_->CreateObject(clsid, iid, object);
  }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }

 private:
  FrameSwappingHost(pull_tide::IDownloadLibHost* host, pull_tide::IAsynFrame* frame);
  ~FrameSwappingHost() override = default;

  com::com_ptr<pull_tide::IDownloadLibHost> host_;
  com::com_ptr<pull_tide::IAsynFrame> frame_;
};

}  // namespace host

// Speed limiters and limited sockets of the host frame. A limited socket forwards every
// call to the socket it wraps; the limiters keep the values they are given. This stand-in
// does not pace traffic.
#pragma once

#include <windows.h>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/call_log.h"
#include "standins/host/host_object.h"

namespace host {

class SpeedLimiter : public HostObject<pull_tide::ISpeedLimiter> {
 public:
  explicit SpeedLimiter(CallLog* log);

  HRESULT STDMETHODCALLTYPE SetLimit(DWORD a, DWORD b, DWORD c) override;
  HRESULT STDMETHODCALLTYPE SetSpeed(DWORD value) override;
  HRESULT STDMETHODCALLTYPE SetParent(pull_tide::ISpeedLimiter* parent) override;
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }

 private:
  ~SpeedLimiter() override = default;

  CallLog* log_;
  com::com_ptr<pull_tide::ISpeedLimiter> parent_;
  DWORD speed_ = 0;
};

class LimitedSocket : public HostObject<pull_tide::IAsynSocket> {
 public:
  LimitedSocket(CallLog* log, pull_tide::IAsynSocket* inner,
                pull_tide::ISpeedLimiter* download_limiter,
                pull_tide::ISpeedLimiter* upload_limiter);

  HRESULT STDMETHODCALLTYPE Read(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE Write(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE ReadVariant(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE WriteVariant(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE Close() override;
  HRESULT STDMETHODCALLTYPE Connect(pull_tide::IAsynIoOperation* operation, DWORD host_length,
                                    const char* host, USHORT port, DWORD timeout) override;
  HRESULT STDMETHODCALLTYPE GetLocalAddress(DWORD* address, USHORT* port) override;
  HRESULT STDMETHODCALLTYPE GetRemoteAddress(DWORD* address, USHORT* port) override;
  HRESULT STDMETHODCALLTYPE SetTimeout(DWORD milliseconds) override;
  HRESULT STDMETHODCALLTYPE SetOption(DWORD value) override;

 private:
  ~LimitedSocket() override = default;

  CallLog* log_;
  com::com_ptr<pull_tide::IAsynSocket> inner_;
  com::com_ptr<pull_tide::ISpeedLimiter> download_limiter_;
  com::com_ptr<pull_tide::ISpeedLimiter> upload_limiter_;
};

}  // namespace host

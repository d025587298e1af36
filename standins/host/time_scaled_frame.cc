#include "standins/host/time_scaled_frame.h"

namespace host {

TimeScaledFrame* TimeScaledFrame::Create(pull_tide::IAsynFrame* frame, DWORD factor) {
  return new TimeScaledFrame(frame, factor);
}

TimeScaledFrame::TimeScaledFrame(pull_tide::IAsynFrame* frame, DWORD factor)
    : HostObject({pull_tide::IID_IAsynFrame}), frame_(frame), factor_(factor ? factor : 1) {}

HRESULT TimeScaledFrame::StartTimer(pull_tide::IAsynTimerEvents* sink, DWORD id, DWORD interval,
                                    BOOL repeat) {
  if (observer_) observer_(id, interval);
  DWORD scaled = interval / factor_;
  return frame_->StartTimer(sink, id, scaled ? scaled : 1, repeat);
}

FrameSwappingHost* FrameSwappingHost::Create(pull_tide::IDownloadLibHost* host,
                                             pull_tide::IAsynFrame* frame) {
  return new FrameSwappingHost(host, frame);
}

FrameSwappingHost::FrameSwappingHost(pull_tide::IDownloadLibHost* host,
                                     pull_tide::IAsynFrame* frame)
    : HostObject({pull_tide::IID_IDownloadLibHost}), host_(host), frame_(frame) {}

HRESULT FrameSwappingHost::GetService(REFGUID service, void** object) {
  if (!IsEqualGUID(service, pull_tide::SID_AsynFrame)) return host_->GetService(service, object);
  if (!object) return E_POINTER;
  frame_->AddRef();
  *object = frame_.get();
  return S_OK;
}

}  // namespace host

#include "standins/host/speed_limiter.h"

#include <string>

namespace host {

SpeedLimiter::SpeedLimiter(CallLog* log)
    : HostObject({pull_tide::IID_ISpeedLimiter}), log_(log) {}

HRESULT SpeedLimiter::SetLimit(DWORD a, DWORD b, DWORD c) {
  log_->Add("Limiter.SetLimit " + std::to_string(a) + " " + std::to_string(b) + " " +
            std::to_string(c));
  return S_OK;
}

HRESULT SpeedLimiter::SetSpeed(DWORD value) {
  log_->Add("Limiter.SetSpeed " + std::to_string(value));
  speed_ = value;
  return S_OK;
}

HRESULT SpeedLimiter::SetParent(pull_tide::ISpeedLimiter* parent) {
  log_->Add(std::string("Limiter.SetParent ") + (parent ? "limiter" : "null"));
  parent_ = com::com_ptr<pull_tide::ISpeedLimiter>(parent);
  return S_OK;
}

LimitedSocket::LimitedSocket(CallLog* log, pull_tide::IAsynSocket* inner,
                             pull_tide::ISpeedLimiter* download_limiter,
                             pull_tide::ISpeedLimiter* upload_limiter)
    : HostObject({pull_tide::IID_IAsynSocket}),
      log_(log),
      inner_(inner),
      download_limiter_(download_limiter),
      upload_limiter_(upload_limiter) {}

HRESULT LimitedSocket::Read(pull_tide::IAsynIoOperation* operation) {
  return inner_->Read(operation);
}

HRESULT LimitedSocket::Write(pull_tide::IAsynIoOperation* operation) {
  return inner_->Write(operation);
}

HRESULT LimitedSocket::ReadVariant(pull_tide::IAsynIoOperation* operation) {
  return inner_->ReadVariant(operation);
}

HRESULT LimitedSocket::WriteVariant(pull_tide::IAsynIoOperation* operation) {
  return inner_->WriteVariant(operation);
}

HRESULT LimitedSocket::Close() {
  log_->Add("LimitedSocket.Close");
  return inner_->Close();
}

HRESULT LimitedSocket::Connect(pull_tide::IAsynIoOperation* operation, DWORD host_length,
                               const char* host, USHORT port, DWORD timeout) {
  return inner_->Connect(operation, host_length, host, port, timeout);
}

HRESULT LimitedSocket::GetLocalAddress(DWORD* address, USHORT* port) {
  return inner_->GetLocalAddress(address, port);
}

HRESULT LimitedSocket::GetRemoteAddress(DWORD* address, USHORT* port) {
  return inner_->GetRemoteAddress(address, port);
}

HRESULT LimitedSocket::SetTimeout(DWORD milliseconds) { return inner_->SetTimeout(milliseconds); }

HRESULT LimitedSocket::SetOption(DWORD value) { return inner_->SetOption(value); }

}  // namespace host

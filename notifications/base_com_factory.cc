#include "notifications/base_com_factory.h"

#include "notifications/assertion.h"
#include "notifications/asyn_io_frame/asyn_callbacks.h"

namespace notifications {

BaseComFactory* BaseComFactory::s_Instance = nullptr;

BaseComFactory::BaseComFactory(pull_tide::IDownloadLibHost* host) : m_spHost(host) {}

BaseComFactory::~BaseComFactory() {
  m_spStatDat2.reset();
  m_spSetting.reset();
  m_spAsynFrame.reset();
  m_spHost.reset();
}

bool BaseComFactory::Create(pull_tide::IDownloadLibHost* host) {
  SKYREND_ASSERT(NULL == s_Instance);
  s_Instance = new BaseComFactory(host);
  try {
    s_Instance->FillServices();
    return true;
  } catch (const assert_exception&) {
    return false;
  }
}

BaseComFactory* BaseComFactory::Instance() {
  SKYREND_ASSERT(NULL != s_Instance);
  return s_Instance;
}

void BaseComFactory::Destroy() {
  delete s_Instance;
  s_Instance = nullptr;
}

void BaseComFactory::FillServices() {
  m_spHost->GetService(pull_tide::SID_AsynFrame, m_spAsynFrame.receive_void());
  if (!m_spAsynFrame) throw assert_exception("m_spAsynFrame != NULL");

  m_spHost->GetService(pull_tide::SID_Setting, m_spSetting.receive_void());
  if (!m_spSetting) throw assert_exception("m_spSetting != NULL");

  com::com_ptr<IUnknown> stat_data;
  m_spHost->GetService(pull_tide::SID_StatData, stat_data.receive_void());
  if (stat_data) stat_data->QueryInterface(pull_tide::IID_IStatData2, m_spStatDat2.receive_void());
  if (!m_spStatDat2) throw assert_exception("m_spStatDat2 != NULL");
}

HRESULT BaseComFactory::CreateTcpSocket(pull_tide::IAsynSocket** socket) {
  return m_spAsynFrame->CreateTcpSocket(socket);
}

HRESULT BaseComFactory::CreateIoOperation(pull_tide::IAsynIoOperationEvents* sink,
                                          pull_tide::IAsynIoOperation** operation) {
  return m_spAsynFrame->CreateIoOperation(sink, operation);
}

com::com_ptr<pull_tide::IAsynIoOperationEvents> BaseComFactory::CreateOperationEvents(
    asyn_io_operation_events* operation_events_ptr) {
  SKYREND_ASSERT(NULL != operation_events_ptr);
  return CreateSink<CAsynIoOperationEvents, pull_tide::IAsynIoOperationEvents>(
      operation_events_ptr, pull_tide::IID_IAsynIoOperationEvents);
}

com::com_ptr<pull_tide::IAsynMessageEvents> BaseComFactory::CreateMessageEvents(
    asyn_message_events* message_events_ptr) {
  SKYREND_ASSERT(NULL != message_events_ptr);
  return CreateSink<CAsynMessageEvents, pull_tide::IAsynMessageEvents>(
      message_events_ptr, pull_tide::IID_IAsynMessageEvents);
}

com::com_ptr<pull_tide::IAsynTimerEvents> BaseComFactory::CreateTimerEvents(
    timeout_handler* timer_events_ptr) {
  SKYREND_ASSERT(NULL != timer_events_ptr);
  return CreateSink<CAsynTimerEvents, pull_tide::IAsynTimerEvents>(
      timer_events_ptr, pull_tide::IID_IAsynTimerEvents);
}

}  // namespace notifications

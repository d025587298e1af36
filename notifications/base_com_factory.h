// BaseComFactory: the plug-in's single access point to the host services, created at
// Initialize and destroyed at Uninitialize, and the maker of the COM callback objects that
// the plug-in hands to the host's frame.
#pragma once

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"

namespace notifications {

class asyn_io_operation_events;
class asyn_message_events;
class timeout_handler;

class BaseComFactory {
 public:
  // Asserts that no instance exists, makes one and fills its services; true when the
  // frame, the settings service and the statistics object were all obtained.
  static bool Create(pull_tide::IDownloadLibHost* host);
  // Asserts that the instance exists.
  static BaseComFactory* Instance();
  static void Destroy();
  // True between Create and Destroy; never asserts.
  static bool Exists() { return s_Instance != nullptr; }

  pull_tide::IDownloadLibHost* host() const { return m_spHost.get(); }
  pull_tide::IAsynFrame* asyn_frame() const { return m_spAsynFrame.get(); }
  pull_tide::ISetting* setting() const { return m_spSetting.get(); }
  pull_tide::IStatData2* stat_data2() const { return m_spStatDat2.get(); }

  // Frame shortcuts used by the operations and the socket devices.
  HRESULT CreateTcpSocket(pull_tide::IAsynSocket** socket);
  HRESULT CreateIoOperation(pull_tide::IAsynIoOperationEvents* sink,
                            pull_tide::IAsynIoOperation** operation);

  // Callback objects: each wraps a plug-in receiver; the returned reference is the only one.
  static com::com_ptr<pull_tide::IAsynIoOperationEvents> CreateOperationEvents(
      asyn_io_operation_events* operation_events_ptr);
  static com::com_ptr<pull_tide::IAsynMessageEvents> CreateMessageEvents(
      asyn_message_events* message_events_ptr);
  static com::com_ptr<pull_tide::IAsynTimerEvents> CreateTimerEvents(
      timeout_handler* timer_events_ptr);

 private:
  explicit BaseComFactory(pull_tide::IDownloadLibHost* host);
  ~BaseComFactory();
  BaseComFactory(const BaseComFactory&) = delete;
  BaseComFactory& operator=(const BaseComFactory&) = delete;

  // Throws assert_exception naming the first service that is missing.
  void FillServices();

  static BaseComFactory* s_Instance;

  // Declared in the order they are taken; released in reverse.
  com::com_ptr<pull_tide::IDownloadLibHost> m_spHost;
  com::com_ptr<pull_tide::IAsynFrame> m_spAsynFrame;
  com::com_ptr<pull_tide::ISetting> m_spSetting;
  com::com_ptr<pull_tide::IStatData2> m_spStatDat2;
};

}  // namespace notifications

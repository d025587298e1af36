// demo_host.exe: the host download library's side of one notification pass, for the demo.
// It loads the real notifications.dll, gives it the host's services with the servers from
// its command line in the settings and a frame whose timers run `--time-scale` times
// faster, registers a client sink, starts the service and waits for the client's event.
//
//   demo_host.exe --plugin=<dll> --config=<folder> --uid=<uid> --sid=<sid>
//                 --user-group=<host>:<port> --push=<host>:<port>
//                 [--time-scale=<n>] [--wait-ms=<real ms>]
// Exit code 0 when the event arrived, 1 when it did not, 2 for bad arguments or set-up.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <string>

#include "base/strings/utf_string_conversions.h"
#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/plugin_interfaces.h"
#include "standins/host/download_lib_host.h"
#include "standins/host/plugin_library.h"
#include "standins/host/time_scaled_frame.h"

namespace {

// The client's event sink: prints the event and signals the waiting main thread.
class ClientSink : public notifications::INotificationsEvents {
 public:
  ClientSink() : received_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~ClientSink() { CloseHandle(received_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  // Lives on the stack of main for the whole run.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnNewMessages(BSTR text) override {
    std::wstring wide(text ? text : L"", text ? SysStringLen(text) : 0);
    std::printf("client: OnNewMessages(\"%s\")\n", base::WideToUTF8(wide).c_str());
    std::fflush(stdout);
    SetEvent(received_);
    return S_OK;
  }
  HANDLE received() const { return received_; }

 private:
  HANDLE received_;
};

bool SplitServer(const std::string& text, std::string* host, LONG* port) {
  size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  *host = text.substr(0, colon);
  *port = std::atol(text.c_str() + colon + 1);
  return *port > 0 && *port < 65536;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::map<std::string, std::string> options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = base::WideToUTF8(argv[i]);
    size_t equals = arg.find('=');
    if (arg.compare(0, 2, "--") != 0 || equals == std::string::npos) continue;
    options[arg.substr(2, equals - 2)] = arg.substr(equals + 1);
  }
  std::string user_group_host, push_host;
  LONG user_group_port = 0, push_port = 0;
  if (options["plugin"].empty() || options["config"].empty() ||
      !SplitServer(options["user-group"], &user_group_host, &user_group_port) ||
      !SplitServer(options["push"], &push_host, &push_port)) {
    std::fprintf(stderr, "usage: demo_host.exe --plugin=<dll> --config=<folder> --uid=<uid> "
                         "--sid=<sid> --user-group=<host>:<port> --push=<host>:<port> "
                         "[--time-scale=<n>] [--wait-ms=<ms>]\n");
    return 2;
  }
  const DWORD scale = options["time-scale"].empty() ? 100 : std::atol(options["time-scale"].c_str());
  const DWORD wait_ms = options["wait-ms"].empty() ? 30000 : std::atol(options["wait-ms"].c_str());

  host::HostOptions host_options;
  host_options.clock = host::ClockMode::kReal;
  com::com_ptr<host::DownloadLibHost> host;
  host.attach(host::DownloadLibHost::Create(host_options));
  host->settings()->SetString("notifications", "user_group_server", user_group_host);
  host->settings()->SetInt("notifications", "user_group_port", user_group_port);
  host->settings()->SetString("notifications", "notifications_server", push_host);
  host->settings()->SetInt("notifications", "notifications_port", push_port);

  com::com_ptr<host::TimeScaledFrame> frame;
  frame.attach(host::TimeScaledFrame::Create(host->frame(), scale));
  ULONGLONG started = GetTickCount64();  // reset when the client starts the service
  frame->set_observer([&started, scale](DWORD id, DWORD interval) {
    std::printf("host: at %llu ms plug-in time, timer %lu armed for %lu ms\n",
                (GetTickCount64() - started) * scale, id, interval);
    std::fflush(stdout);
  });
  com::com_ptr<host::FrameSwappingHost> plugin_host;
  plugin_host.attach(host::FrameSwappingHost::Create(host.get(), frame.get()));

  host::PluginLibrary library;
  com::com_ptr<notifications::IDownloadLibPlugin> plugin;
  if (!library.Load(base::UTF8ToWide(options["plugin"])) ||
      library.CreatePlugin(&plugin) != S_OK || plugin->Initialize(plugin_host.get()) != S_OK) {
    std::fprintf(stderr, "demo_host: the plug-in did not load and initialise\n");
    return 2;
  }
  com::com_ptr<notifications::INotifications> service;
  if (com::com_ptr<IUnknown> registered = host->Registered(notifications::IID_INotifications))
    registered->QueryInterface(notifications::IID_INotifications, service.receive_void());
  if (!service) {
    std::fprintf(stderr, "demo_host: no notifications service was published\n");
    plugin->Uninitialize();
    return 2;
  }

  ClientSink sink;
  service->Advise(&sink);
  host->frame()->StartThread();
  std::printf("client: Start(uid=%s, sid=%s, config=%s); timers run %lu times faster\n",
              options["uid"].c_str(), options["sid"].c_str(), options["config"].c_str(), scale);
  std::fflush(stdout);
  started = GetTickCount64();
  service->Start(0, options["uid"].c_str(), 0, options["sid"].c_str(),
                 base::UTF8ToWide(options["config"]).c_str());
  bool received = WaitForSingleObject(sink.received(), wait_ms) == WAIT_OBJECT_0;
  host->frame()->StopThread();

  for (const host::StatService::Submitted& record : host->stat_service()->submitted()) {
    std::printf("host: statistics record \"%s\" under \"%s\":", record.name.c_str(),
                record.category.c_str());
    for (const auto& entry : record.entries)
      std::printf(" %s=%s", entry.first.c_str(), entry.second.c_str());
    std::printf("\n");
  }
  service->Unadvise(&sink);
  service.reset();
  plugin->Uninitialize();
  plugin.reset();
  std::printf("host: plug-in uninitialised; library %s\n",
              library.UnloadIfAllowed() ? "unloaded" : "still locked");
  if (!received) std::printf("host: no event within %lu ms\n", wait_ms);
  return received ? 0 : 1;
}

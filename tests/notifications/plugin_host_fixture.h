// A host stand-in with notifications.dll loaded the way the host loads it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/plugin_interfaces.h"
#include "standins/host/download_lib_host.h"
#include "standins/host/plugin_library.h"
#include "support/test_support.h"

namespace notifications_test {

// Reference counts of the host's objects, to compare before and after the plug-in ran.
struct HostRefCounts {
  LONG host, frame, settings, stat_data, stat_service;
  bool operator==(const HostRefCounts& other) const {
    return host == other.host && frame == other.frame && settings == other.settings &&
           stat_data == other.stat_data && stat_service == other.stat_service;
  }
};

class PluginHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Load(test_support::BinDir() + L"\\notifications.dll"))
        << "notifications.dll did not load, error " << GetLastError();
  }
  void TearDown() override {
    plugin_.reset();
    EXPECT_TRUE(library_.UnloadIfAllowed()) << "the library still holds locks at the end";
  }

  void MakeHost(const host::HostOptions& options = host::HostOptions()) {
    host_.attach(host::DownloadLibHost::Create(options));
  }

  void MakePlugin() { ASSERT_EQ(S_OK, library_.CreatePlugin(&plugin_)); }

  HostRefCounts RefCounts() {
    return {host_->ref_count(), host_->frame()->ref_count(), host_->settings()->ref_count(),
            host_->stat_data()->ref_count(), host_->stat_service()->ref_count()};
  }

  // The plug-in's published notifications service, or null.
  com::com_ptr<notifications::INotifications> Notifications() {
    com::com_ptr<notifications::INotifications> service;
    if (com::com_ptr<IUnknown> registered = host_->Registered(notifications::IID_INotifications))
      registered->QueryInterface(notifications::IID_INotifications, service.receive_void());
    return service;
  }

  host::PluginLibrary library_;
  com::com_ptr<host::DownloadLibHost> host_;
  com::com_ptr<notifications::IDownloadLibPlugin> plugin_;
};

}  // namespace notifications_test

// The plug-in's inner objects on a host stand-in, with the plug-in's access point to the
// host services set up as Initialize would.
#pragma once

#include <gtest/gtest.h>

#include "notifications/asyn_io_frame/asyn_io_frame.h"
#include "notifications/base_com_factory.h"
#include "notifications/com_utility/com_ptr.h"
#include "standins/host/download_lib_host.h"

namespace notifications_test {

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override { StartHost(host::HostOptions()); }
  void TearDown() override {
    notifications::asyn_io_frame::destroy_instance();
    notifications::BaseComFactory::Destroy();
    host_.reset();
  }

  void StartHost(const host::HostOptions& options) {
    host_.attach(host::DownloadLibHost::Create(options));
    ASSERT_TRUE(notifications::BaseComFactory::Create(host_.get()));
    host_->log().Clear();
  }

  com::com_ptr<host::DownloadLibHost> host_;
};

}  // namespace notifications_test

// The plug-in object driven by the host stand-in through the real library: the order of
// its calls to the host, what it publishes, and what it gives back.
#include <windows.h>

#include "assertion_capture.h"
#include "event_sink.h"
#include "plugin_host_fixture.h"

namespace notifications_test {
namespace {

using PluginObjectTest = PluginHostTest;

std::vector<std::string> HostServiceCalls(host::DownloadLibHost* host) {
  std::vector<std::string> calls;
  for (const std::string& call : host->log().Calls())
    if (call.find("Service ") != std::string::npos) calls.push_back(call);
  return calls;
}

TEST_F(PluginObjectTest, PrepareAndPluginInfoChangeNothing) {
  MakeHost();
  MakePlugin();
  const HostRefCounts before = RefCounts();
  EXPECT_EQ(S_OK, plugin_->Prepare(0));
  EXPECT_EQ(S_OK, plugin_->Prepare(static_cast<UINT_PTR>(-1)));
  EXPECT_EQ(1, plugin_->GetPluginInfo());
  EXPECT_TRUE(host_->log().Calls().empty());
  EXPECT_TRUE(before == RefCounts());
}

TEST_F(PluginObjectTest, InitializeTakesTheServicesInOrderAndPublishesTheService) {
  MakeHost();
  const HostRefCounts before = RefCounts();
  MakePlugin();
  ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
  const std::vector<std::string> expected_initialize = {
      "GetService frame",     "GetService setting",   "GetService frame",
      "GetService setting",   "GetService stat_data", "GetService stat_data",
      "GetService setting",   "RegisterService INotifications"};
  EXPECT_EQ(expected_initialize, host_->log().Calls());
  ASSERT_TRUE(Notifications());

  host_->log().Clear();
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
  // The revoke comes first; the service's end then stops the dispatcher's timers.
  const std::vector<std::string> expected_uninitialize = {"RevokeService INotifications",
                                                          "StopAllTimers"};
  EXPECT_EQ(expected_uninitialize, host_->log().Calls());
  EXPECT_FALSE(host_->Registered(notifications::IID_INotifications));

  plugin_.reset();
  EXPECT_TRUE(before == RefCounts()) << "a host reference was kept";
}

TEST_F(PluginObjectTest, InitializeAgainPublishesAFreshService) {
  MakeHost();
  MakePlugin();
  std::vector<std::string> journal;
  EventSink* sink = new EventSink("sink", &journal);

  ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
  ASSERT_EQ(S_OK, Notifications()->Advise(sink));
  EXPECT_EQ(2u, sink->ref_count());
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
  EXPECT_EQ(1u, sink->ref_count()) << "the ended service still holds the sink";

  ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
  com::com_ptr<notifications::INotifications> second = Notifications();
  ASSERT_TRUE(second);
  EXPECT_EQ(E_UNEXPECTED, second->Unadvise(sink)) << "the new service knows the old sink";
  EXPECT_EQ(S_OK, second->Advise(sink));
  second.reset();
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
  EXPECT_EQ(1u, sink->ref_count());
  sink->Release();
}

struct MissingService {
  const char* name;
  host::HostOptions options;
  std::vector<std::string> expected_calls;
};

void PrintTo(const MissingService& missing, std::ostream* out) { *out << missing.name; }

host::HostOptions Without(bool host::HostOptions::*service) {
  host::HostOptions options;
  options.*service = false;
  return options;
}

class PluginWithoutServiceTest : public PluginHostTest,
                                 public ::testing::WithParamInterface<MissingService> {};

TEST_P(PluginWithoutServiceTest, FailsWithoutPublishingAndStillUninitializes) {
  MakeHost(GetParam().options);
  const HostRefCounts before = RefCounts();
  MakePlugin();
  EXPECT_EQ(E_FAIL, plugin_->Initialize(host_.get()));
  EXPECT_FALSE(host_->Registered(notifications::IID_INotifications));
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
  EXPECT_EQ(GetParam().expected_calls, HostServiceCalls(host_.get()));
  plugin_.reset();
  EXPECT_TRUE(before == RefCounts()) << "a host reference was kept";
}

INSTANTIATE_TEST_SUITE_P(
    Services, PluginWithoutServiceTest,
    ::testing::Values(
        MissingService{"frame", Without(&host::HostOptions::frame),
                       {"GetService frame", "GetService setting", "GetService frame",
                        "RevokeService INotifications"}},
        MissingService{"settings", Without(&host::HostOptions::settings),
                       {"GetService frame", "GetService setting", "GetService frame",
                        "GetService setting", "RevokeService INotifications"}},
        MissingService{"statistics", Without(&host::HostOptions::stat_data),
                       {"GetService frame", "GetService setting", "GetService frame",
                        "GetService setting", "GetService stat_data",
                        "RevokeService INotifications"}},
        MissingService{"second_statistics_interface",
                       Without(&host::HostOptions::stat_data_second_interface),
                       {"GetService frame", "GetService setting", "GetService frame",
                        "GetService setting", "GetService stat_data",
                        "RevokeService INotifications"}}),
    [](const ::testing::TestParamInfo<MissingService>& info) { return info.param.name; });

TEST_F(PluginObjectTest, SecondInitializeWithoutUninitializeRaisesTheAssertion) {
  MakeHost();
  MakePlugin();
  ASSERT_EQ(S_OK, plugin_->Initialize(host_.get()));
  std::optional<std::string> message =
      CaptureAssertion([&] { plugin_->Initialize(host_.get()); });
  ASSERT_TRUE(message) << "no assertion was raised";
  EXPECT_EQ("NULL == s_Instance not true, detail: skyrend_assert", WithoutLocation(*message));
  EXPECT_NE(std::string::npos, message->find("base_com_factory.cc line: ")) << *message;
  EXPECT_EQ(S_OK, plugin_->Uninitialize());
}

}  // namespace
}  // namespace notifications_test

// The string receiver and the settings reader that hands it to the host.
#include <gtest/gtest.h>

#include "assertion_capture.h"
#include "core_fixture.h"
#include "notifications/com_utility/com_module.h"
#include "notifications/com_utility/string_setter.h"
#include "notifications/setting.h"

namespace notifications_test {
namespace {

TEST(StringSetterTest, TakesExactlyTheGivenLengthOrEmptiesTheTarget) {
  std::string target = "earlier value";
  const LONG locks_before = com::ModuleLockCount();
  auto* setter = new com::CStringSetter(&target);
  EXPECT_EQ(locks_before + 1, com::ModuleLockCount());

  EXPECT_EQ(S_OK, setter->SetString(5, "abcdefghij"));
  EXPECT_EQ("abcde", target);
  EXPECT_EQ(S_OK, setter->SetString(0, "abcdefghij"));
  EXPECT_EQ("", target);

  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, setter->QueryInterface(IID_IDispatch, &object));
  EXPECT_EQ(nullptr, object);
  ASSERT_EQ(S_OK, setter->QueryInterface(pull_tide::IID_IStringSetter, &object));
  EXPECT_EQ(1u, static_cast<IUnknown*>(object)->Release());

  EXPECT_FALSE(CaptureAssertion([&] { delete setter; }));
  EXPECT_EQ(locks_before, com::ModuleLockCount());
}

TEST(StringSetterTest, ReleaseFromOneDestroysTheReceiver) {
  std::string target;
  const LONG locks_before = com::ModuleLockCount();
  auto* setter = new com::CStringSetter(&target);
  EXPECT_EQ(2u, setter->AddRef());
  EXPECT_EQ(1u, setter->Release());
  EXPECT_FALSE(CaptureAssertion([&] { EXPECT_EQ(0u, setter->Release()); }));
  EXPECT_EQ(locks_before, com::ModuleLockCount());
}

TEST(StringSetterTest, DestroyingWithAnUnmatchedAddRefRaisesTheAssertion) {
  std::string target;
  const LONG locks_before = com::ModuleLockCount();
  auto* setter = new com::CStringSetter(&target);
  setter->AddRef();  // a host that never gives this back
  std::optional<std::string> message = CaptureAssertion([&] { delete setter; });
  ASSERT_TRUE(message) << "no assertion was raised";
  EXPECT_EQ(
      "(\"某 CUnknownSingleThread 派生类析构时引用计数不正确\", m_dwRef == 1) not true, "
      "detail: CStringSetter@notifications_core_test.exe",
      WithoutLocation(*message));
  EXPECT_NE(std::string::npos, message->find("unknown_base.cc line: ")) << *message;
  EXPECT_EQ(locks_before, com::ModuleLockCount()) << "the library lock goes first";
}

class SettingTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    notifications::setting::create(host_->settings());
  }
  void TearDown() override {
    notifications::setting::destroy();
    CoreTest::TearDown();
  }
};

TEST_F(SettingTest, ReadsTheHostValuesAndFallsBackToTheDefaults) {
  host_->settings()->SetString("notifications", "notifications_server", "push.example.test");
  host_->settings()->SetString("notifications", "user_group_server", "");
  host_->settings()->SetInt("notifications", "notifications_port", 8080);
  notifications::setting* reader = notifications::setting::instance();
  ASSERT_NE(nullptr, reader);

  EXPECT_EQ("push.example.test",
            reader->get_string("notifications", "notifications_server", "default"));
  EXPECT_EQ("", reader->get_string("notifications", "user_group_server", "default"));
  EXPECT_EQ("default", reader->get_string("notifications", "missing", "default"));
  EXPECT_EQ(8080, reader->get_int("notifications", "notifications_port", 80));
  EXPECT_EQ(80, reader->get_int("notifications", "user_group_port", 80));
  EXPECT_EQ(std::vector<std::string>({"GetString notifications notifications_server",
                                      "GetString notifications user_group_server",
                                      "GetString notifications missing",
                                      "GetInt notifications notifications_port",
                                      "GetInt notifications user_group_port"}),
            host_->log().Calls());
}

}  // namespace
}  // namespace notifications_test

// Two source files whose names differ only in letter case (M:\case-twins, prepared by the test
// fixture): the target file system takes them as one name, so the second must not replace the
// first. Both must survive the move, one in place and one set aside.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/files/file_util.h"
#include "move_tool/directory_move_engine.h"
#include "move_tool/move_notify.h"
#include "move_tool/move_test_support.h"
#include "support/test_support.h"

namespace {

std::string Contents(const std::wstring& path) {
  std::string text;
  return test_support::ReadFile(path, &text) ? text : "<missing>";
}

class CaseTwinsTest : public ::testing::TestWithParam<wchar_t> {};

TEST_P(CaseTwinsTest, BothTwinsSurviveTheMove) {
  std::wstring source = GetParam() == L'M' ? L"M:\\case-twins\\same-volume" : L"M:\\case-twins\\other-volume";
  if (!file_util::PathPresent(source + L"\\sub"))
    GTEST_SKIP() << "the fixture has not prepared " << test_support::ToUtf8(source);
  move_test::ScratchFolder target_root(GetParam());
  std::wstring target = target_root.Join(L"target");
  ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
  move_test::NotificationRecorder recorder;
  DirectoryMoveEngine engine(source, target, recorder.hwnd());
  ASSERT_TRUE(engine.MoveDirectoryTree(source));
  std::vector<std::string> found = {Contents(target + L"\\sub\\notes.txt"),
                                    Contents(engine.backup_root() + L"\\sub\\notes.txt")};
  std::sort(found.begin(), found.end());
  EXPECT_EQ((std::vector<std::string>{"lower case twin", "upper case twin"}), found);
}

INSTANTIATE_TEST_SUITE_P(Volumes, CaseTwinsTest, ::testing::Values(L'M', L'N'), move_test::VolumeParamName);

}  // namespace

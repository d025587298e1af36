// NubrelMoveTool.exe as a process under Wine, driven from outside through its real windows.
#include <gtest/gtest.h>

#include "base/files/file_util.h"
#include "move_tool/gui_driver.h"
#include "move_tool/move_test_support.h"
#include "move_tool/move_tool_run.h"
#include "move_tool/resource.h"
#include "support/test_support.h"

using move_test::DescribeDifferences;
using move_test::Manifest;
using move_test::MoveToolRun;
using move_test::ScratchFolder;
using move_test::TakeManifest;

namespace {

const DWORD kWindowTimeoutMs = 20000;
const DWORD kRunTimeoutMs = 60000;
const char kStartupParameter[] = "teravel_disk_startup";
const wchar_t kClosingClientText[] = L"正在关闭澄舟...";
const wchar_t kMovingText[] = L"正在移动...";

std::string Utf8(const std::wstring& text) { return test_support::ToUtf8(text); }

// Source on M:, target on M: (one volume) or N: (another); the target already holds a few
// files where source files will go.
class MoveFixture : public move_test::MoveFolders {
 protected:
  explicit MoveFixture(wchar_t target_drive) : MoveFolders(target_drive) {}

  void BuildTrees(int files) {
    move_test::BuildSampleTree(source_, files);
    std::vector<std::wstring> paths = move_test::FilePaths(TakeManifest(source_));
    for (size_t i = 1; i < paths.size(); i += 9) {
      std::wstring in_the_way = target_ + L"\\" + paths[i];
      move_test::MakeFolders(file_util::ParentFolder(in_the_way));
      move_test::WriteSampleFile(in_the_way, 40 + i, 500 + static_cast<unsigned>(i));
    }
    move_test::WriteSampleFile(target_ + L"\\own file.txt", 64, 600);
  }

};

class MoveToolWindowTest : public MoveFixture, public ::testing::TestWithParam<wchar_t> {
 protected:
  MoveToolWindowTest() : MoveFixture(GetParam()) {}
};

TEST_P(MoveToolWindowTest, MovesTheWholeTreeRecordsItAndRestartsTheClient) {
  BuildTrees(24);
  Manifest source_before = TakeManifest(source_);
  MoveToolRun run;
  ASSERT_TRUE(run.Start(run.Arguments(source_, target_)));
  HWND window = gui_driver::FindWindowOf(run.pid(), move_test::kWindowTitle, kWindowTimeoutMs);
  ASSERT_NE(nullptr, window) << "no window titled " << Utf8(move_test::kWindowTitle);
  DWORD exit_code = 99;
  ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code));
  EXPECT_EQ(0u, exit_code);

  Manifest target_after = TakeManifest(target_);
  for (const auto& item : source_before) {
    ASSERT_EQ(1u, target_after.count(item.first)) << Utf8(item.first);
    EXPECT_TRUE(item.second == target_after[item.first]) << Utf8(item.first) << " differs";
  }
  EXPECT_EQ(1u, target_after.count(L"own file.txt"));
  EXPECT_FALSE(file_util::PathPresent(source_));
  EXPECT_EQ(Utf8(target_), run.RecordedSyncFolder());
  EXPECT_EQ(std::vector<std::string>{kStartupParameter}, run.Launches(true));
}

INSTANTIATE_TEST_SUITE_P(Volumes, MoveToolWindowTest, ::testing::Values(L'M', L'N'),
                         move_test::VolumeParamName);

// For every file k of a 30-file tree: a helper process keeps file k busy, the tool reports the
// files-in-use text, the driver presses OK, and afterwards source and target are exactly as
// before, the old folder is still recorded and the client is restarted. The positions run in
// three groups of ten per volume.
const int kBusyTreeFiles = 30;
const int kPositionsPerTest = 10;

class MoveToolBusyFileTest : public MoveFixture,
                             public ::testing::TestWithParam<std::tuple<wchar_t, int>> {
 protected:
  MoveToolBusyFileTest() : MoveFixture(std::get<0>(GetParam())) {}

  void RunWithBusyFile(const std::wstring& file, bool keep_screenshot) {
    MoveToolRun run;
    {
      move_test::BusyFile busy(source_ + L"\\" + file);
      ASSERT_TRUE(busy.busy());
      ASSERT_TRUE(run.Start(run.Arguments(source_, target_)));
      HWND box = gui_driver::FindWindowOf(run.pid(), move_test::kMessageBoxCaption, kWindowTimeoutMs);
      ASSERT_NE(nullptr, box) << "no message box";
      EXPECT_EQ(Utf8(move_test::kFilesInUseText), Utf8(gui_driver::MessageBoxText(box)));
      HWND window = gui_driver::FindWindowOf(run.pid(), move_test::kWindowTitle, kWindowTimeoutMs);
      ASSERT_NE(nullptr, window);
      EXPECT_EQ(Utf8(kMovingText), Utf8(gui_driver::ItemTextOf(window, IDC_STATUS_TEXT)));
      if (keep_screenshot) {
        std::wstring shot = gui_driver::ArtefactsDir() + L"\\move-tool-error-" +
                            (same_volume() ? L"same-volume" : L"other-volume") + L".bmp";
        EXPECT_TRUE(gui_driver::SaveScreenshot(shot));
      }
      ASSERT_TRUE(gui_driver::PressButton(box, IDOK));
      DWORD exit_code = 99;
      ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code)) << "the tool did not end after OK";
      EXPECT_EQ(0u, exit_code);
    }
    ASSERT_EQ("", DescribeDifferences(source_before_, TakeManifest(source_)));
    ASSERT_EQ("", DescribeDifferences(target_before_, TakeManifest(target_)));
    EXPECT_EQ(move_test::kOldSyncFolder, run.RecordedSyncFolder());
    EXPECT_EQ(std::vector<std::string>{kStartupParameter}, run.Launches(true));
  }

  Manifest source_before_;
  Manifest target_before_;
};

TEST_P(MoveToolBusyFileTest, IsReportedAndEverythingRolledBack) {
  BuildTrees(kBusyTreeFiles);
  source_before_ = TakeManifest(source_);
  target_before_ = TakeManifest(target_);
  std::vector<std::wstring> files = move_test::FilePaths(source_before_);
  ASSERT_EQ(static_cast<size_t>(kBusyTreeFiles), files.size());
  int first = std::get<1>(GetParam()) * kPositionsPerTest;
  for (int k = first; k < first + kPositionsPerTest; ++k) {
    SCOPED_TRACE("busy file " + std::to_string(k) + ": " + Utf8(files[k]));
    RunWithBusyFile(files[k], k == 0);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryFile, MoveToolBusyFileTest,
    ::testing::Combine(::testing::Values(L'M', L'N'), ::testing::Range(0, kBusyTreeFiles / kPositionsPerTest)),
    [](const ::testing::TestParamInfo<std::tuple<wchar_t, int>>& info) {
      int first = std::get<1>(info.param) * kPositionsPerTest;
      return std::string(std::get<0>(info.param) == L'M' ? "SameVolume" : "OtherVolume") + "_Files" +
             std::to_string(first) + "To" + std::to_string(first + kPositionsPerTest - 1);
    });

// The program carries its dialog template and its icon in both sizes the window uses.
TEST(MoveToolResourcesTest, DialogTemplateAndIcons) {
  std::wstring program = test_support::BinDir() + L"\\NubrelMoveTool.exe";
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  EXPECT_NE(nullptr, FindResourceW(module, MAKEINTRESOURCEW(IDD_MOVE_DIALOG), RT_DIALOG));
  for (int metric : {SM_CXICON, SM_CXSMICON}) {
    int size = GetSystemMetrics(metric);
    HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    EXPECT_NE(nullptr, icon) << "no icon of " << size << " pixels";
    if (icon) DestroyIcon(static_cast<HICON>(icon));
  }
  FreeLibrary(module);
}

// A client that exits by itself 4 s after it started, before the tool would end it: the window
// waits, cannot be closed, moves afterwards and holds the client's mutex meanwhile.
TEST(MoveToolClientTest, WaitsForTheClientThenHoldsItsMutexUntilTheRestart) {
  ScratchFolder root('M');
  std::wstring source = root.Join(L"sync"), target = root.Join(L"moved");
  ASSERT_TRUE(move_test::MakeFolders(source));
  move_test::BuildSampleTree(source, 6);
  move_test::FakeClient client(true, 4000);
  ASSERT_TRUE(client.running());
  move_test::BusyFile busy(source + L"\\docs\\.hidden-settings");  // stops the move in a box
  ASSERT_TRUE(busy.busy());
  MoveToolRun run;
  ASSERT_TRUE(run.Start(run.Arguments(source, target)));

  HWND window = gui_driver::FindWindowOf(run.pid(), move_test::kWindowTitle, kWindowTimeoutMs);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(Utf8(kClosingClientText), Utf8(gui_driver::ItemTextOf(window, IDC_STATUS_TEXT)));
  EXPECT_EQ("", Utf8(gui_driver::ItemTextOf(window, IDC_DETAIL_TEXT)));
  RECT frame;
  ASSERT_TRUE(GetWindowRect(window, &frame));
  EXPECT_EQ(400, frame.right - frame.left);
  EXPECT_EQ(160, frame.bottom - frame.top);
  HWND bar = FindWindowExW(window, nullptr, L"msctls_progress32", nullptr);
  ASSERT_NE(nullptr, bar) << "no progress bar";
  RECT bar_rect;
  GetWindowRect(bar, &bar_rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar_rect), 2);
  EXPECT_EQ(30, bar_rect.left);
  EXPECT_EQ(46, bar_rect.top);
  EXPECT_EQ(360, bar_rect.right);
  EXPECT_EQ(63, bar_rect.bottom);
  EXPECT_TRUE(gui_driver::SaveScreenshot(gui_driver::ArtefactsDir() + L"\\move-tool-waiting.bmp"));
  // Enter, Escape, Alt+F4 and the close message leave the window where it is.
  PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(gui_driver::WaitUntilHandled(window, 5000));
  EXPECT_TRUE(IsWindow(window));

  DWORD client_exit = 0;
  ASSERT_TRUE(client.process().Wait(10000, &client_exit));
  EXPECT_EQ(move_test::FakeClient::kExitedByItself, client_exit) << "the client was terminated";
  HWND box = gui_driver::FindWindowOf(run.pid(), move_test::kMessageBoxCaption, kWindowTimeoutMs);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(move_test::ClientMutexExists()) << "the tool does not hold the client's mutex";
  ASSERT_TRUE(gui_driver::PressButton(box, IDOK));
  DWORD exit_code = 99;
  ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code));
  EXPECT_EQ(0u, exit_code);
  EXPECT_FALSE(move_test::ClientMutexExists());
  EXPECT_EQ(std::vector<std::string>{kStartupParameter}, run.Launches(true));
}

// A client that never exits is terminated once 5 s have passed; "Nubrel.exe" is another
// program and lives on.
TEST(MoveToolClientTest, TerminatesALingeringClientButNoOtherProgram) {
  ScratchFolder root('M');
  std::wstring source = root.Join(L"sync"), target = root.Join(L"moved");
  ASSERT_TRUE(move_test::MakeFolders(source));
  move_test::BuildSampleTree(source, 6);
  Manifest before = TakeManifest(source);
  move_test::FakeClient client(true, INFINITE);
  move_test::FakeClient other(false, INFINITE, L"Nubrel.exe");
  ASSERT_TRUE(client.running() && other.running());
  MoveToolRun run;
  DWORD started = GetTickCount();
  ASSERT_TRUE(run.Start(run.Arguments(source, target)));
  DWORD client_exit = 99;
  ASSERT_TRUE(client.process().Wait(20000, &client_exit)) << "the client was not terminated";
  EXPECT_GE(GetTickCount() - started, 5000u);
  EXPECT_EQ(0u, client_exit);
  DWORD exit_code = 99;
  ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code));
  EXPECT_EQ(0u, exit_code);
  EXPECT_EQ("", DescribeDifferences(before, TakeManifest(target)));
  EXPECT_EQ(Utf8(target), run.RecordedSyncFolder());
  EXPECT_FALSE(other.process().Wait(0, nullptr)) << "Nubrel.exe was terminated";
}

// Bad argument strings end the tool at once: exit code 0, no window, nothing changed.
TEST(MoveToolArgumentsTest, BadArgumentStringsEndAtOnceWithoutChanges) {
  ScratchFolder root('M');
  std::wstring sync = root.Join(L"Sync");
  ASSERT_TRUE(move_test::MakeFolders(sync + L"\\inner"));
  move_test::BuildSampleTree(sync, 5);
  Manifest before = TakeManifest(root.path());
  MoveToolRun probe;  // for its profile name
  const std::wstring& profile = probe.profile();
  const std::wstring bad[] = {
      L"",
      sync + L"?" + root.Join(L"new"),
      sync + L"?" + root.Join(L"new") + L"?" + profile + L"?more",
      sync + L"?" + root.Join(L"new") + L"?  ",
      root.Join(L"missing") + L"?" + root.Join(L"new") + L"?" + profile,
      sync + L"?" + sync + L"\\inner?" + profile,
      sync + L"\\inner?" + sync + L"?" + profile,
      sync + L"?" + root.Join(L"SYNC\\Inner") + L"?" + profile,
      sync + L"?" + root.Join(L"sYnC") + L"?" + profile,
  };
  for (const std::wstring& arguments : bad) {
    SCOPED_TRACE(Utf8(arguments));
    MoveToolRun run;
    ASSERT_TRUE(run.Start(arguments));
    DWORD exit_code = 99;
    // A run with a window waits a second for the client at the very least.
    ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code));
    EXPECT_EQ(0u, exit_code);
    EXPECT_FALSE(gui_driver::HasVisibleWindow(run.pid()));
    EXPECT_EQ("", DescribeDifferences(before, TakeManifest(root.path())));
    EXPECT_EQ(move_test::kOldSyncFolder, run.RecordedSyncFolder());
    EXPECT_TRUE(run.Launches(false).empty());
  }
}

// The source disappears while the tool waits for the client: no move can start, so the tool
// ends as after a failed move instead of waiting forever.
TEST(MoveToolVanishedSourceTest, EndsLikeAFailedMove) {
  ScratchFolder root('M');
  std::wstring source = root.Join(L"sync"), target = root.Join(L"moved");
  ASSERT_TRUE(move_test::MakeFolders(source));
  move_test::FakeClient client(true, 4000);
  ASSERT_TRUE(client.running());
  MoveToolRun run;
  ASSERT_TRUE(run.Start(run.Arguments(source, target)));
  ASSERT_NE(nullptr, gui_driver::FindWindowOf(run.pid(), move_test::kWindowTitle, kWindowTimeoutMs));
  ASSERT_TRUE(RemoveDirectoryW(source.c_str()));
  DWORD exit_code = 99;
  ASSERT_TRUE(run.WaitForExit(kRunTimeoutMs, &exit_code)) << "the window waits forever";
  EXPECT_EQ(0u, exit_code);
  EXPECT_EQ(std::vector<std::string>{kStartupParameter}, run.Launches(true));
  EXPECT_EQ(move_test::kOldSyncFolder, run.RecordedSyncFolder());
  EXPECT_FALSE(file_util::PathPresent(target)) << "the folder the tool created is left behind";
}

}  // namespace

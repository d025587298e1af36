// Several launchers whose clients log through the product's logging at the same moment.
#include <windows.h>

#include <map>
#include <memory>
#include <regex>
#include <set>

#include "launcher_fixture.h"

namespace {

TEST_F(LauncherTest, ConcurrentLaunchersAppendWholeLinesToOneLog) {
  const int kLaunchers = 6;
  const int kLinesEach = 400;  // enough overlap that unlocked appends would collide
  Install(L"nubrel.dll", L"CrashReporter.dll");

  // Every client reports at the gate and waits there until all have arrived.
  const std::wstring gate = L"nubrel-test-gate-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount());
  HANDLE arrived = CreateSemaphoreW(nullptr, 0, kLaunchers, (gate + L".arrived").c_str());
  HANDLE open = CreateEventW(nullptr, TRUE, FALSE, gate.c_str());
  ASSERT_TRUE(arrived && open);

  test_support::ChildProcess::Options options;
  options.current_dir = elsewhere();
  options.extra_environment.push_back(L"NUBREL_STANDIN_START_GATE=" + gate);
  options.extra_environment.push_back(L"NUBREL_STANDIN_LOG_LINES=" + std::to_wstring(kLinesEach));
  std::unique_ptr<test_support::ChildProcess> launchers[kLaunchers];
  std::set<unsigned long> pids;
  for (auto& process : launchers) {
    process.reset(new test_support::ChildProcess);
    ASSERT_TRUE(process->Start(launcher(), LauncherCommandLine(L""), options));
    pids.insert(process->pid());
  }
  for (int i = 0; i < kLaunchers; ++i)
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(arrived, kTimeoutMs)) << "only " << i << " clients reached the gate";
  SetEvent(open);
  for (auto& process : launchers) {
    DWORD exit_code = 1;
    ASSERT_TRUE(process->Wait(kTimeoutMs, &exit_code)) << "a launcher did not end";
    EXPECT_EQ(0u, exit_code);
  }
  CloseHandle(arrived);
  CloseHandle(open);

  const std::regex whole_line(
      "\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d INFO client_standin\\.cc\\(\\d+\\) client line pid=(\\d+) n=(\\d+) x{120} end");
  std::map<unsigned long, std::set<int>> seen;
  const std::vector<std::string> lines = LogLines();
  for (const std::string& line : lines) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, whole_line)) << "broken or mixed line: " << line;
    EXPECT_TRUE(seen[std::stoul(match[1])].insert(std::stoi(match[2])).second) << "repeated: " << line;
  }
  EXPECT_EQ(static_cast<size_t>(kLaunchers * kLinesEach), lines.size());
  ASSERT_EQ(pids.size(), seen.size());
  for (const auto& entry : seen) {
    EXPECT_EQ(1u, pids.count(entry.first));
    EXPECT_EQ(static_cast<size_t>(kLinesEach), entry.second.size());
  }
}

}  // namespace

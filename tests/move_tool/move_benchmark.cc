// Speed of the move engine against bare loops of the same system calls, printed side by side:
// files per second for a same-volume move of 5,000 small files (MoveFileExW loop), MB/s for
// a cross-volume move of 200 MB in 50 files (CopyFileExW loop). Both run on a worker thread
// while the main thread handles messages; the engine reports its finished files to a window
// with a progress bar there, as in the tool. Each figure is the best of five rounds.
//
//   move_tool_benchmark.exe        (drives M: and N: are the two volumes)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "move_tool/directory_move_engine.h"
#include "move_tool/move_notify.h"
#include "move_tool/move_progress.h"
#include "move_tool/move_test_support.h"

namespace {

const int kSmallFiles = 5000;
const int kSmallFilesPerFolder = 100;
const int kLargeFiles = 50;
const size_t kLargeFileSize = 4 << 20;
const int kRounds = 5;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

// The dialog's side: a window with a progress bar that follows the file-done notifications.
class ProgressWindow {
 public:
  ProgressWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MoveBenchmarkWindow";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 160, nullptr, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 30, 46, 330, 17, hwnd_, nullptr,
                           wc.hInstance, nullptr);
  }
  ~ProgressWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  void Reset(LONGLONG total) {
    progress_ = MoveProgress();
    progress_.Started(total, GetTickCount());
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_MOVE_NOTIFY || !self) return DefWindowProcW(hwnd, message, wparam, lparam);
    const LONGLONG* count = reinterpret_cast<const LONGLONG*>(lparam);
    bool all_done = false;
    if (wparam == NOTIFY_FILE_DONE) SendMessageW(self->bar_, PBM_SETPOS, self->progress_.FileDone(*count, &all_done), 0);
    if (wparam == NOTIFY_PROGRESS) SendMessageW(self->bar_, PBM_SETPOS, self->progress_.Copied(*count, GetTickCount()), 0);
    return 0;
  }

  HWND hwnd_ = nullptr;
  HWND bar_ = nullptr;
  MoveProgress progress_;
};

// Runs `job` on a worker thread while this thread handles window messages, as the tool's
// dialog does; the seconds it took and whether it worked.
double TimeOnWorker(const std::function<bool()>& job) {
  struct Run {
    const std::function<bool()>* job;
    bool ok;
  } run = {&job, false};
  auto body = [](void* param) -> DWORD {
    auto* r = static_cast<Run*>(param);
    r->ok = (*r->job)();
    return 0;
  };
  LARGE_INTEGER start = Now();
  HANDLE worker = CreateThread(nullptr, 0, body, &run, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  double seconds = Seconds(start, Now());
  CloseHandle(worker);
  if (!run.ok) printf("   (a move failed)\n");
  return seconds;
}

// The engine moves `source` below `target`, reporting to the window.
double TimeEngine(ProgressWindow* window, const std::wstring& source, const std::wstring& target) {
  DirectoryMoveEngine engine(source, target, window->hwnd());
  window->Reset(engine.ComputeDirectorySize(source));
  return TimeOnWorker([&] { return engine.MoveDirectoryTree(source); });
}

// The bare loop: the same walk and the same calls, without the engine's bookkeeping.
bool BareMove(const std::wstring& source, const std::wstring& target, bool copy) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((source + L"\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return true;
  bool ok = true;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring from = source + L"\\" + name, to = target + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CreateDirectoryW(to.c_str(), nullptr);
      ok = BareMove(from, to, copy);
    } else if (copy) {
      ok = CopyFileExW(from.c_str(), to.c_str(), nullptr, nullptr, nullptr, COPY_FILE_RESTARTABLE) != FALSE;
    } else {
      ok = MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
    }
  } while (ok && FindNextFileW(find, &data));
  FindClose(find);
  return ok;
}

double TimeBare(const std::wstring& source, const std::wstring& target, bool copy) {
  return TimeOnWorker([&] { return BareMove(source, target, copy); });
}

void RemoveTree(const std::wstring& folder) {
  std::wstring list = folder;
  list.push_back(L'\0');
  list.push_back(L'\0');
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&operation);
}

void PrintRow(const char* what, const char* unit, double engine, double bare) {
  printf("%-34s %10.1f %-8s %10.1f %-8s %6.1f%%\n", what, engine, unit, bare, unit, engine / bare * 100);
}

}  // namespace

int wmain() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  move_test::ScratchFolder m('M'), n('N');
  ProgressWindow window;

  // Same volume: the tree is renamed to the target and (untimed) back again each round.
  std::wstring small = m.Join(L"small"), small_target = m.Join(L"small-moved");
  CreateDirectoryW(small.c_str(), nullptr);
  for (int i = 0; i < kSmallFiles; ++i) {
    std::wstring folder = small + L"\\d" + std::to_wstring(i / kSmallFilesPerFolder);
    CreateDirectoryW(folder.c_str(), nullptr);
    move_test::WriteSampleFile(folder + L"\\f" + std::to_wstring(i) + L".txt", 200, i);
  }
  std::vector<double> engine_small, bare_small;
  for (int round = 0; round < kRounds; ++round) {
    for (bool engine : {round % 2 == 0, round % 2 != 0}) {  // alternating which goes first
      RemoveTree(small_target);
      CreateDirectoryW(small_target.c_str(), nullptr);
      double seconds = engine ? TimeEngine(&window, small, small_target) : TimeBare(small, small_target, false);
      (engine ? engine_small : bare_small).push_back(kSmallFiles / seconds);
      BareMove(small_target, small, false);  // put the files back for the next round
    }
  }

  // Other volume: copies; the source stays as it is.
  std::wstring large = m.Join(L"large"), large_target = n.Join(L"large-copied");
  CreateDirectoryW(large.c_str(), nullptr);
  for (int i = 0; i < kLargeFiles; ++i)
    move_test::WriteSampleFile(large + L"\\file-" + std::to_wstring(i) + L".bin", kLargeFileSize, i);
  const double megabytes = static_cast<double>(kLargeFiles) * kLargeFileSize / (1 << 20);
  std::vector<double> engine_large, bare_large;
  for (int round = 0; round < kRounds; ++round) {
    for (bool engine : {round % 2 == 0, round % 2 != 0}) {
      RemoveTree(large_target);
      CreateDirectoryW(large_target.c_str(), nullptr);
      double seconds = engine ? TimeEngine(&window, large, large_target) : TimeBare(large, large_target, true);
      (engine ? engine_large : bare_large).push_back(megabytes / seconds);
    }
  }
  RemoveTree(large_target);

  auto best = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
  printf("%-34s %19s %19s %7s\n", "best of 5 rounds", "engine", "bare loop", "ratio");
  PrintRow("same volume, 5000 files of 200 B", "files/s", best(engine_small), best(bare_small));
  PrintRow("other volume, 50 files of 4 MB", "MB/s", best(engine_large), best(bare_large));
  return 0;
}

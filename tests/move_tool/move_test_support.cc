#include "move_tool/move_test_support.h"

#include <sstream>

#include "move_tool/move_notify.h"
#include "support/test_support.h"

namespace move_test {

ScratchFolder::ScratchFolder(wchar_t drive) {
  static LONG counter = 0;
  for (;;) {
    wchar_t name[64];
    wsprintfW(name, L"%c:\\mt-%lu-%ld", drive, GetCurrentProcessId(), InterlockedIncrement(&counter));
    if (CreateDirectoryW(name, nullptr)) {
      path_ = name;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      path_.clear();
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) test_support::RemoveTree(path_);
}

MoveFolders::MoveFolders(wchar_t target_drive) : source_root_('M'), target_root_(target_drive) {
  source_ = source_root_.Join(L"澄舟同步");
  target_ = target_root_.Join(L"新 位置");
  MakeFolders(source_);
  MakeFolders(target_);
}

std::string VolumeParamName(const ::testing::TestParamInfo<wchar_t>& info) {
  return info.param == L'M' ? "SameVolume" : "OtherVolume";
}

namespace {

void AddEntries(const std::wstring& root, const std::wstring& relative, Manifest* manifest) {
  WIN32_FIND_DATAW data;
  std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring child = relative.empty() ? name : relative + L"\\" + name;
    ManifestEntry entry;
    entry.is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    if (entry.is_folder) {
      AddEntries(root, child, manifest);
    } else {
      std::string contents;
      test_support::ReadFile(root + L"\\" + child, &contents);
      entry.size = static_cast<LONGLONG>(contents.size());
      unsigned long long hash = 14695981039346656037ull;  // FNV-1a
      for (unsigned char c : contents) hash = (hash ^ c) * 1099511628211ull;
      entry.hash = hash;
    }
    (*manifest)[child] = entry;
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

}  // namespace

Manifest TakeManifest(const std::wstring& root) {
  Manifest manifest;
  AddEntries(root, L"", &manifest);
  return manifest;
}

std::string DescribeDifferences(const Manifest& expected, const Manifest& actual) {
  std::ostringstream out;
  auto describe = [](const ManifestEntry& e) {
    std::ostringstream text;
    if (e.is_folder) text << "folder";
    else text << "file of " << e.size << " bytes, hash " << std::hex << e.hash;
    if (e.hidden) text << " (hidden)";
    return text.str();
  };
  for (const auto& item : expected) {
    auto found = actual.find(item.first);
    if (found == actual.end())
      out << test_support::ToUtf8(item.first) << ": missing, expected " << describe(item.second) << "\n";
    else if (!(found->second == item.second))
      out << test_support::ToUtf8(item.first) << ": " << describe(found->second) << ", expected "
          << describe(item.second) << "\n";
  }
  for (const auto& item : actual) {
    if (!expected.count(item.first))
      out << test_support::ToUtf8(item.first) << ": unexpected " << describe(item.second) << "\n";
  }
  return out.str();
}

LONGLONG TotalFileSize(const Manifest& manifest) {
  LONGLONG total = 0;
  for (const auto& item : manifest) total += item.second.size;
  return total;
}

std::vector<std::wstring> FilePaths(const Manifest& manifest) {
  std::vector<std::wstring> files;
  for (const auto& item : manifest)
    if (!item.second.is_folder) files.push_back(item.first);
  return files;
}

bool WriteSampleFile(const std::wstring& path, size_t size, unsigned seed) {
  std::string contents(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (char& c : contents) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  return test_support::WriteFile(path, contents);
}

bool MakeFolders(const std::wstring& folder) {
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  size_t separator = folder.find_last_of(L'\\');
  if (separator != std::wstring::npos && separator > 2 && !MakeFolders(folder.substr(0, separator)))
    return false;
  return CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
}

void BuildSampleTree(const std::wstring& root, int min_files) {
  const wchar_t* folders[] = {L"docs", L"docs\\2023", L"docs\\2023\\深层", L"photos", L"empty",
                              L"docs\\empty inside", L"music"};
  for (const wchar_t* folder : folders) MakeFolders(root + L"\\" + folder);
  const wchar_t* places[] = {L"", L"docs", L"docs\\2023", L"docs\\2023\\深层", L"photos", L"music"};
  WriteSampleFile(root + L"\\澄舟说明.txt", 1234, 1);
  std::wstring hidden = root + L"\\docs\\.hidden-settings";
  WriteSampleFile(hidden, 77, 2);
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteSampleFile(root + L"\\photos\\zero.bin", 0, 3);
  for (int i = 3; i < min_files; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"file-%02d.dat", i);
    std::wstring place = places[i % (sizeof(places) / sizeof(places[0]))];
    std::wstring folder = place.empty() ? root : root + L"\\" + place;
    WriteSampleFile(folder + L"\\" + name, 100 + (i * 7919) % 20000, i);
  }
}

NotificationRecorder::NotificationRecorder() {
  static ATOM window_class = 0;
  if (!window_class) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MoveNotificationRecorder";
    window_class = RegisterClassW(&wc);
  }
  hwnd_ = CreateWindowExW(0, L"MoveNotificationRecorder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotificationRecorder::~NotificationRecorder() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

std::vector<LONGLONG> NotificationRecorder::ValuesOf(WPARAM kind) const {
  std::vector<LONGLONG> values;
  for (const Notice& notice : notices_)
    if (notice.kind == kind) values.push_back(notice.value);
  return values;
}

void NotificationRecorder::OnError(void (*handler)(void*, DWORD), void* context) {
  error_handler_ = handler;
  error_context_ = context;
}

bool NotificationRecorder::PumpUntil(WPARAM kind, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    for (const Notice& notice : notices_)
      if (notice.kind == kind) return true;
    DWORD waited = GetTickCount() - start;
    if (waited >= timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout_ms - waited, QS_ALLINPUT | QS_SENDMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK NotificationRecorder::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<NotificationRecorder*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message != WM_MOVE_NOTIFY || !self) return DefWindowProcW(hwnd, message, wparam, lparam);
  bool carries_count = wparam == NOTIFY_PROGRESS || wparam == NOTIFY_FILE_DONE || wparam == NOTIFY_STARTED;
  LONGLONG value = static_cast<LONGLONG>(lparam);
  if (carries_count) value = lparam ? *reinterpret_cast<const LONGLONG*>(lparam) : -1;
  self->notices_.push_back({wparam, value});
  if (wparam == NOTIFY_ERROR && self->error_handler_)
    self->error_handler_(self->error_context_, static_cast<DWORD>(lparam));
  if (wparam == NOTIFY_STARTED && self->destroy_on_start_) DestroyWindow(hwnd);
  return 0;
}

}  // namespace move_test

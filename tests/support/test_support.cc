#include "support/test_support.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <map>

namespace test_support {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr,
                      nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
  return out;
}

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  PathRemoveFileSpecW(path);
  return path;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFile(const std::wstring& path, std::string* contents) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  contents->clear();
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) contents->append(buffer, got);
  CloseHandle(file);
  return true;
}

bool WriteFile(const std::wstring& path, const std::string& contents) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == contents.size();
}

bool CopyTo(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

TempDir::TempDir() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static LONG counter = 0;
  for (;;) {
    wchar_t name[MAX_PATH];
    wsprintfW(name, L"%snubrel-test-%lu-%ld", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
    if (CreateDirectoryW(name, nullptr)) {
      path_ = name;
      break;
    }
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') out.append(backslashes * 2 + 1, L'\\');
    else out.append(backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  out += L'"';
  return out;
}

namespace {

// Builds an environment block from ours with the requested changes.
std::wstring BuildEnvironment(const ChildProcess::Options& options) {
  std::map<std::wstring, std::wstring> entries;  // upper-cased name -> "NAME=value"
  auto key_of = [](const std::wstring& entry) {
    std::wstring name = entry.substr(0, entry.find(L'=', 1));
    CharUpperBuffW(&name[0], static_cast<DWORD>(name.size()));
    return name;
  };
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries[key_of(p)] = p;
  FreeEnvironmentStringsW(block);
  for (const std::wstring& name : options.removed_environment) entries.erase(key_of(name + L"="));
  for (const std::wstring& entry : options.extra_environment) entries[key_of(entry)] = entry;
  std::wstring out;
  for (const auto& kv : entries) {
    out += kv.second;
    out += L'\0';
  }
  out += L'\0';
  return out;
}

}  // namespace

struct ChildProcess::Drain {
  HANDLE pipe = nullptr;
  std::string text;
};

DWORD WINAPI ChildProcess::DrainThread(void* param) {
  Drain* drain = static_cast<Drain*>(param);
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(drain->pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    drain->text.append(buffer, got);
  CloseHandle(drain->pipe);
  return 0;
}

bool ChildProcess::Start(const std::wstring& program, const std::wstring& command_line,
                         const Options& options) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  HANDLE write_end = nullptr;
  HANDLE read_end = nullptr;
  if (options.capture_output) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return false;
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
  }
  std::wstring environment = BuildEnvironment(options);
  std::wstring mutable_line = command_line;
  PROCESS_INFORMATION info = {};
  BOOL ok = CreateProcessW(program.c_str(), &mutable_line[0], nullptr, nullptr, options.capture_output,
                           CREATE_UNICODE_ENVIRONMENT, &environment[0],
                           options.current_dir.empty() ? nullptr : options.current_dir.c_str(), &startup,
                           &info);
  if (write_end) CloseHandle(write_end);
  if (!ok) {
    if (read_end) CloseHandle(read_end);
    return false;
  }
  if (read_end) {
    // Read while the child runs so a chatty child never blocks on a full pipe.
    drain_ = new Drain;
    drain_->pipe = read_end;
    drain_thread_ = CreateThread(nullptr, 0, DrainThread, drain_, 0, nullptr);
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  return true;
}


bool ChildProcess::Wait(DWORD timeout_ms, DWORD* exit_code) {
  if (!process_) return false;
  if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return false;
  FinishOutput();
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  if (exit_code) *exit_code = code;
  return true;
}

void ChildProcess::FinishOutput() {
  if (!drain_thread_) return;
  // The writer is gone; the reader ends at end of pipe (a grandchild could still hold it,
  // hence the bound).
  if (WaitForSingleObject(drain_thread_, 10000) == WAIT_OBJECT_0) {
    output_ = drain_->text;
    delete drain_;
  }  // else: leave the buffer to the still-blocked thread rather than free it under it
  drain_ = nullptr;
  CloseHandle(drain_thread_);
  drain_thread_ = nullptr;
}

void ChildProcess::Terminate() {
  if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

ChildProcess::~ChildProcess() {
  Terminate();
  FinishOutput();
  if (process_) CloseHandle(process_);
}

}  // namespace test_support

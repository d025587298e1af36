#include "move_tool/move_tool_run.h"

#include <sqlite3.h>

#include "move_tool/client_data_dir.h"

namespace move_test {

const wchar_t kWindowTitle[] = L"移动澄舟目录";
const wchar_t kMessageBoxCaption[] = L"澄舟";
const wchar_t kFilesInUseText[] = L"其他程序正占用澄舟内的文件，更改澄舟同步目录失败！请关闭相关程序后重试。";
const wchar_t kDiskFullText[] = L"目标磁盘空间已满，更改澄舟同步目录失败！";
const char kOldSyncFolder[] = "D:\\旧的同步目录";

namespace {

const wchar_t kClientMutex[] = L"TeravelMutex{F2144F49-1DC8-46c2-ABA5-2B860D22449B}";
const DWORD kReadyTimeoutMs = 10000;

std::wstring PeerPath(const std::wstring& relative) {
  return test_support::BinDir() + L"\\move_tool_peers\\" + relative;
}

std::wstring UniqueName(const wchar_t* prefix) {
  static LONG counter = 0;
  wchar_t name[64];
  wsprintfW(name, L"%s-%lu-%ld", prefix, GetCurrentProcessId(), InterlockedIncrement(&counter));
  return name;
}

std::wstring ClientDataDir() {
  std::wstring dir;
  GetClientDataDir(true, &dir);
  return dir;
}

void MakeFolderChain(const std::wstring& folder) {
  size_t separator = folder.find_last_of(L'\\');
  if (separator != std::wstring::npos && separator > 2) MakeFolderChain(folder.substr(0, separator));
  CreateDirectoryW(folder.c_str(), nullptr);
}

// Puts the launcher stand-in where the tool starts the launcher from.
void InstallLauncherStandIn() {
  std::wstring bin = ClientDataDir() + L"\\Application\\Bin";
  MakeFolderChain(bin);
  CopyFileW(PeerPath(L"launcher\\Nubrel.exe").c_str(), (bin + L"\\Nubrel.exe").c_str(), FALSE);
}

bool Execute(const std::wstring& db_path, const std::string& sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open16(db_path.c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

// Waits for a named event that another process sets.
class ReadySignal {
 public:
  ReadySignal() : name_(UniqueName(L"move-test-ready")), event_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {}
  ~ReadySignal() { CloseHandle(event_); }
  const std::wstring& name() const { return name_; }
  bool Wait() { return WaitForSingleObject(event_, kReadyTimeoutMs) == WAIT_OBJECT_0; }

 private:
  std::wstring name_;
  HANDLE event_;
};

}  // namespace

MoveToolRun::MoveToolRun() : profile_(UniqueName(L"profile")) {
  InstallLauncherStandIn();
  profile_dir_ = ClientDataDir() + L"\\User Data\\" + profile_;
  MakeFolderChain(profile_dir_);
  Execute(profile_dir_ + L"\\pref.db",
          std::string("CREATE TABLE config (  key TEXT PRIMARY KEY NOT NULL,  value BLOB);") +
              "INSERT INTO config VALUES ('nubrel_path', '" + kOldSyncFolder + "'), ('other', 'kept');" +
              "PRAGMA user_version = 1;");
  launch_record_ = scratch_.Join(L"launches.txt");
}

MoveToolRun::~MoveToolRun() {
  tool_.Terminate();
  test_support::RemoveTree(profile_dir_);
}

std::wstring MoveToolRun::Arguments(const std::wstring& source, const std::wstring& target) const {
  return source + L"?" + target + L"?" + profile_;
}

bool MoveToolRun::Start(const std::wstring& argument_string) {
  test_support::ChildProcess::Options options;
  options.extra_environment.push_back(L"NUBREL_LAUNCH_RECORD=" + launch_record_);
  std::wstring program = test_support::BinDir() + L"\\NubrelMoveTool.exe";
  return tool_.Start(program, L"NubrelMoveTool.exe " + argument_string, options);
}

bool MoveToolRun::WaitForExit(DWORD timeout_ms, DWORD* exit_code) { return tool_.Wait(timeout_ms, exit_code); }

std::string MoveToolRun::RecordedSyncFolder() const {
  sqlite3* db = nullptr;
  std::string value = "<none>";
  std::wstring path = profile_dir_ + L"\\pref.db";
  if (sqlite3_open16(path.c_str(), &db) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT value FROM config WHERE key='nubrel_path'", -1, &statement, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      value.assign(static_cast<const char*>(sqlite3_column_blob(statement, 0)), sqlite3_column_bytes(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return value;
}

std::vector<std::string> MoveToolRun::Launches(bool expect_launch) const {
  std::string contents;
  DWORD start = GetTickCount();
  // The launcher starts as the tool ends and writes its line a moment later.
  while (expect_launch && (!test_support::ReadFile(launch_record_, &contents) || contents.empty() ||
                           contents.back() != '\n') &&
         GetTickCount() - start < kReadyTimeoutMs)
    Sleep(50);
  test_support::ReadFile(launch_record_, &contents);
  std::vector<std::string> lines;
  size_t begin = 0;
  for (size_t end; (end = contents.find('\n', begin)) != std::string::npos; begin = end + 1)
    lines.push_back(contents.substr(begin, end - begin));
  return lines;
}

BusyFile::BusyFile(const std::wstring& path) {
  ReadySignal ready;
  busy_ = holder_.Start(PeerPath(L"file_holder.exe"),
                        L"file_holder.exe " + test_support::QuoteArgument(path) + L" " + ready.name()) &&
          ready.Wait();
}

FakeClient::FakeClient(bool hold_mutex, DWORD exit_after_ms, const std::wstring& image_name) {
  std::wstring program = PeerPath(L"client\\nubrel.exe");
  if (image_name != L"nubrel.exe") {
    std::wstring copy = copy_dir_.Join(image_name);
    if (!CopyFileW(program.c_str(), copy.c_str(), FALSE)) return;
    program = copy;
  }
  ReadySignal ready;
  std::wstring command = image_name + L" --ready-event=" + ready.name();
  if (hold_mutex) command += L" --hold-mutex";
  if (exit_after_ms != INFINITE) command += L" --exit-after-ms=" + std::to_wstring(exit_after_ms);
  running_ = process_.Start(program, command) && ready.Wait();
}

bool ClientMutexExists() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kClientMutex);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

}  // namespace move_test

// Recording the new sync folder in a profile's "pref.db" on real files, and the faults that
// must leave the file exactly as it was.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

#include "base/at_exit.h"
#include "move_tool/client_data_dir.h"
#include "move_tool/sync_folder_record.h"
#include "sqlite_probe.h"
#include "support/test_support.h"

// As in the move tool: the process-wide database object is deleted at exit.
static base::AtExitManager g_exit_manager;

namespace {

using sqlite_probe::ConfigRow;

const char kCreateConfig[] = "CREATE TABLE config (  key TEXT PRIMARY KEY NOT NULL,  value BLOB)";
const wchar_t kProfile[] = L"\u7528\u6237 1";  // a profile name with Chinese characters

class SyncFolderRecordTest : public ::testing::Test {
 public:  // the fault table below builds its files through the fixture
  void SetUp() override {
    profile_dir_ = data_dir_.Join(L"User Data");
    CreateDirectoryW(profile_dir_.c_str(), nullptr);
    profile_dir_ += L"\\";
    profile_dir_ += kProfile;
    ASSERT_TRUE(CreateDirectoryW(profile_dir_.c_str(), nullptr));
    db_path_ = profile_dir_ + L"\\pref.db";
  }

  // A database as the client leaves it: the table with `rows` (SQL values) and a version.
  void MakeClientDatabase(const std::string& rows, int version = 1) {
    std::string sql = std::string(kCreateConfig) + ";";
    if (!rows.empty()) sql += " INSERT INTO config VALUES " + rows + ";";
    sql += " PRAGMA user_version = " + std::to_string(version);
    ASSERT_TRUE(sqlite_probe::Exec(db_path_, sql.c_str()));
  }
  void Record(const std::wstring& folder) {
    RecordSyncFolderBelow(data_dir_.path(), kProfile, folder);
  }
  std::vector<ConfigRow> Rows() { return sqlite_probe::ConfigRows(db_path_); }

  test_support::TempDir data_dir_;
  std::wstring profile_dir_;
  std::wstring db_path_;
};

// Inserted when absent, updated when present; the other rows keep their values and kinds.
TEST_F(SyncFolderRecordTest, WritesOnlyTheSyncFolderRow) {
  const char* const earlier_rows[] = {"", ", ('nubrel_path', 'D:\\Old')"};
  for (const char* earlier : earlier_rows) {
    SCOPED_TRACE(*earlier ? "row present" : "row absent");
    DeleteFileW(db_path_.c_str());
    MakeClientDatabase(std::string("('language', 'zh-CN'), ('token', X'00FF10')") + earlier);
    Record(L"E:\\New");
    EXPECT_EQ((std::vector<ConfigRow>{{"language", "zh-CN", "text"},
                                      {"nubrel_path", "E:\\New", "text"},
                                      {"token", std::string("\0\xFF\x10", 3), "blob"}}),
              Rows());
    EXPECT_EQ(1, sqlite_probe::UserVersion(db_path_));
  }
}

TEST_F(SyncFolderRecordTest, AMissingDatabaseIsCreatedWithTheRow) {
  Record(L"E:\\Sync");
  EXPECT_EQ((std::vector<ConfigRow>{{"nubrel_path", "E:\\Sync", "text"}}), Rows());
  EXPECT_EQ(1, sqlite_probe::UserVersion(db_path_));
  EXPECT_FALSE(test_support::FileExists(db_path_ + L"-journal"));
}

TEST_F(SyncFolderRecordTest, StoresTheFolderAsUtf8TextWithoutTrailingSeparators) {
  const struct { const wchar_t* folder; const char* stored; } cases[] = {
      {L"E:\\Sync\\", "E:\\Sync"},
      {L"E:\\Sync\\\\", "E:\\Sync"},
      {L"E:/Sync/", "E:/Sync"},
      {L"E:\\Sync", "E:\\Sync"},
      {L"E:\\", "E:\\"},
      {L"e:/", "e:/"},
      {L"E:\\\\", "E:\\"},
      {L"\\\\server\\share\\", "\\\\server\\share"},
      {L"E:\\\u6F84\u821F\u540C\u6B65\\", "E:\\\xE6\xBE\x84\xE8\x88\x9F\xE5\x90\x8C\xE6\xAD\xA5"},
  };
  MakeClientDatabase("");
  for (const auto& c : cases) {
    Record(c.folder);
    EXPECT_EQ((std::vector<ConfigRow>{{"nubrel_path", c.stored, "text"}}), Rows())
        << test_support::ToUtf8(c.folder);
  }
}

TEST_F(SyncFolderRecordTest, AnEmptyFolderWritesNothing) {
  MakeClientDatabase("('nubrel_path', 'D:\\Old')");
  sqlite_probe::FileSnapshot before(db_path_);
  Record(L"");
  EXPECT_TRUE(before.Unchanged());
}

TEST_F(SyncFolderRecordTest, AVersionTwoDatabaseIsWrittenAndKeepsItsVersion) {
  MakeClientDatabase("('nubrel_path', 'D:\\Old')", 2);
  Record(L"E:\\New");
  EXPECT_EQ((std::vector<ConfigRow>{{"nubrel_path", "E:\\New", "text"}}), Rows());
  EXPECT_EQ(2, sqlite_probe::UserVersion(db_path_));
}

// Overwrites the first byte (the page type) of the table's and its index's pages.
void CorruptTablePages(const std::wstring& path) {
  std::string bytes;
  ASSERT_TRUE(test_support::ReadFile(path, &bytes));
  const size_t page_size = 4096;
  ASSERT_GE(bytes.size(), 3 * page_size);
  bytes[page_size] = bytes[2 * page_size] = '\x7F';
  ASSERT_TRUE(test_support::WriteFile(path, bytes));
}

TEST_F(SyncFolderRecordTest, FilesThatCannotBeUsedAreLeftExactlyAsTheyWere) {
  const struct {
    const char* what;
    std::function<void(SyncFolderRecordTest*)> make;
  } cases[] = {
      {"schema version 0", [](SyncFolderRecordTest* t) { t->MakeClientDatabase("('nubrel_path', 'D:\\Old')", 0); }},
      {"negative schema version", [](SyncFolderRecordTest* t) { t->MakeClientDatabase("('nubrel_path', 'D:\\Old')", -3); }},
      {"garbage bytes", [](SyncFolderRecordTest* t) {
         std::string garbage;
         for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 251);
         ASSERT_TRUE(test_support::WriteFile(t->db_path_, garbage));
       }},
      {"corrupt table pages", [](SyncFolderRecordTest* t) {
         t->MakeClientDatabase("('nubrel_path', 'D:\\Old')");
         CorruptTablePages(t->db_path_);
       }},
      {"a view named config", [](SyncFolderRecordTest* t) {
         ASSERT_TRUE(sqlite_probe::Exec(t->db_path_, "CREATE VIEW config AS SELECT 1 AS key, 2 AS value"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(db_path_.c_str());
    c.make(this);
    sqlite_probe::FileSnapshot before(db_path_);
    Record(L"E:\\New");
    EXPECT_TRUE(before.Unchanged());
    EXPECT_FALSE(test_support::FileExists(db_path_ + L"-journal"));
  }
}

TEST_F(SyncFolderRecordTest, AMissingProfileFolderIsNotCreated) {
  RemoveDirectoryW(profile_dir_.c_str());
  Record(L"E:\\New");
  EXPECT_FALSE(test_support::FileExists(profile_dir_));
}

TEST_F(SyncFolderRecordTest, ADatabaseHeldByTheClientIsLeftAlone) {
  MakeClientDatabase("('nubrel_path', 'D:\\Old')");
  sqlite_probe::FileSnapshot before(db_path_);

  const std::wstring suffix = std::to_wstring(GetCurrentProcessId());
  const std::wstring ready_name = L"nubrel-db-held-" + suffix, stop_name = L"nubrel-db-release-" + suffix;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, ready_name.c_str());
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, stop_name.c_str());
  ASSERT_TRUE(ready && stop);
  {
    test_support::ChildProcess holder;
    const std::wstring program = test_support::BinDir() + L"\\db_lock_holder.exe";
    ASSERT_TRUE(holder.Start(program, L"db_lock_holder " + test_support::QuoteArgument(db_path_) +
                                          L" " + ready_name + L" " + stop_name));
    HANDLE waits[] = {ready, holder.handle()};
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, waits, FALSE, 20000))
        << "the holder did not report its lock within 20 s (or ended)";

    Record(L"E:\\New");

    SetEvent(stop);
    DWORD exit_code = 1;
    ASSERT_TRUE(holder.Wait(20000, &exit_code)) << "the holder did not let go within 20 s";
    EXPECT_EQ(0u, exit_code);
  }
  CloseHandle(ready);
  CloseHandle(stop);
  EXPECT_TRUE(before.Unchanged());
  EXPECT_EQ((std::vector<ConfigRow>{{"nubrel_path", "D:\\Old", "text"}}), Rows());
}

TEST_F(SyncFolderRecordTest, ADatabaseOpenWithoutSharingIsLeftAlone) {
  MakeClientDatabase("('nubrel_path', 'D:\\Old')");
  sqlite_probe::FileSnapshot before(db_path_);
  HANDLE file = CreateFileW(db_path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  Record(L"E:\\New");
  CloseHandle(file);
  EXPECT_TRUE(before.Unchanged());
  EXPECT_FALSE(test_support::FileExists(db_path_ + L"-journal"));
}

// The whole recording, below the client data directory of this user.
TEST(SyncFolderRecord, WritesIntoTheProfileBelowTheClientDataDirectory) {
  std::wstring data_dir;
  ASSERT_TRUE(GetClientDataDir(true, &data_dir));
  const std::wstring profile = L"record-test-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring profile_dir = data_dir + L"\\User Data\\" + profile;
  ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExW(nullptr, profile_dir.c_str(), nullptr));

  RecordSyncFolder(profile, L"E:\\\u6F84\u821F\\");
  std::vector<ConfigRow> rows = sqlite_probe::ConfigRows(profile_dir + L"\\pref.db");
  test_support::RemoveTree(profile_dir);
  EXPECT_EQ((std::vector<ConfigRow>{{"nubrel_path", "E:\\\xE6\xBE\x84\xE8\x88\x9F", "text"}}), rows);
}

}  // namespace

// Holds a database the way a running client does: SQLite's exclusive locking mode after a
// write, so no other process can read or write it. Arguments: the database path, the name of an
// event it sets once the lock is held, and the name of an event that tells it to let go (it lets
// go after 60 s in any case).
#include <windows.h>

#include <sqlite3.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  char path[MAX_PATH * 3];
  if (!WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, path, sizeof(path), nullptr, nullptr)) return 2;
  sqlite3* db = nullptr;
  if (sqlite3_open(path, &db) != SQLITE_OK) return 3;
  if (sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;", nullptr,
                   nullptr, nullptr) != SQLITE_OK)
    return 4;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  HANDLE stop = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
  if (!ready || !stop || !SetEvent(ready)) return 5;
  DWORD waited = WaitForSingleObject(stop, 60000);
  sqlite3_close(db);
  return waited == WAIT_OBJECT_0 ? 0 : 6;
}

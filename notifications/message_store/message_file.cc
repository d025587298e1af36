#include "notifications/message_store/message_file.h"

#include <windows.h>

#include <algorithm>

namespace notifications {
namespace {

bool write_all(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

std::wstring message_file_path(const std::wstring& config_dir) {
  return config_dir + L"\\json.dat";
}

bool write_message_file(const std::wstring& config_dir, const std::string& uid,
                        const std::string& json_text) {
  const std::wstring target = message_file_path(config_dir);
  const std::wstring staged = target + L".new";
  HANDLE file = CreateFileW(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = write_all(file, uid + "|" + json_text);
  bool closed = CloseHandle(file) != FALSE;
  if (written && closed &&
      MoveFileExW(staged.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(staged.c_str());
  return false;
}

}  // namespace notifications

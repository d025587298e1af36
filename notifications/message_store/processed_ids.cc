#include "notifications/message_store/processed_ids.h"

#include <windows.h>

#include <algorithm>

#include "notifications/message_store/ini_file.h"
#include "notifications/message_store/message_fields.h"

namespace notifications {
namespace {

const char kSection[] = "msgid";

std::string key_for(size_t index) { return "id_no[" + std::to_string(index) + "]"; }

}  // namespace

const char kProcessedFileName[] = "pmsg.dat";

std::vector<int> read_processed_ids(const std::string& path) {
  CAtlIniExt file(path);
  std::vector<int> ids;
  for (size_t index = 0;; ++index) {
    int id = file.read_int(kSection, key_for(index), 0);
    if (id == 0) break;
    ids.push_back(id);
  }
  return ids;
}

std::vector<int> remove_processed(json::Array& messages, const std::vector<int>& processed) {
  std::vector<int> removed;
  for (json::Array::iterator message = messages.begin(); message != messages.end();) {
    int id = message_number(*message, "msgid");
    if (std::find(processed.begin(), processed.end(), id) == processed.end()) {
      ++message;
      continue;
    }
    removed.push_back(id);
    message = messages.Erase(message);
  }
  return removed;
}

void rewrite_processed_file(const std::string& path, const std::vector<int>& ids) {
  if (path.empty()) return;
  DeleteFileA(path.c_str());
  HANDLE created = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created != INVALID_HANDLE_VALUE) CloseHandle(created);
  CAtlIniExt file(path);
  for (size_t index = 0; index < ids.size(); ++index)
    file.write_int(kSection, key_for(index), ids[index]);
  file.flush();
}

}  // namespace notifications

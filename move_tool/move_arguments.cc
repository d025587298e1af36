#include "move_tool/move_arguments.h"

#include <vector>

#include "base/files/file_util.h"
#include "base/strings/string_util.h"
#include "move_tool/folder_paths.h"

bool ParseMoveArguments(const std::wstring& argument_string, MoveArguments* arguments) {
  std::vector<std::wstring> pieces = base::SplitString(argument_string, L'?');
  if (pieces.size() != 3) return false;
  const std::wstring& source = pieces[0];
  const std::wstring& target = pieces[1];
  if (pieces[2].empty()) return false;
  if (!file_util::FolderPresent(source)) return false;
  if (FolderContains(source, target) || FolderContains(target, source)) return false;
  // Moving a folder onto itself would shuffle it into itself.
  if (SameFolder(source, target)) return false;
  *arguments = {source, target, pieces[2]};
  return true;
}

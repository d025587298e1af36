#include "base/path_lookup.h"

#include <windows.h>

#include <map>

#include "base/lazy_instance.h"
#include "base/synchronization/lock.h"

namespace base {
namespace {

// Leaves `result` empty when the key is unknown or cannot be resolved.
void ProvidePath(int key, PathString* result) {
  switch (key) {
    case PathLookup::FILE_PROGRAM: {
      wchar_t path[MAX_PATH];
      DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
      if (length > 0 && length < MAX_PATH) *result = PathString(std::wstring(path, length));
      break;
    }
    case PathLookup::DIR_PROGRAM: {
      PathString program;
      if (PathLookup::Get(PathLookup::FILE_PROGRAM, &program)) *result = program.Parent();
      break;
    }
    default:
      break;
  }
}

struct PathCache {
  Lock lock;
  std::map<int, PathString> paths;
};

LazyInstance<PathCache> g_path_cache;

}  // namespace

bool PathLookup::Get(int key, PathString* result) {
  PathCache& cache = g_path_cache.Get();
  {
    AutoLock hold(cache.lock);
    std::map<int, PathString>::const_iterator found = cache.paths.find(key);
    if (found != cache.paths.end()) {
      *result = found->second;
      return true;
    }
  }
  PathString path;
  ProvidePath(key, &path);  // without the lock: providers may look up other keys
  if (path.empty()) return false;
  AutoLock hold(cache.lock);
  cache.paths[key] = path;
  *result = path;
  return true;
}

}  // namespace base

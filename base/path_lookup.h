// Well-known paths, resolved once and cached until the at-exit manager runs.
#pragma once

#include "base/path_string.h"

namespace base {

class PathLookup {
 public:
  enum Key {
    DIR_PROGRAM = 2,   // the folder of the running executable
    FILE_PROGRAM = 5,  // the full path of the running executable
  };

  // True and the path, or false (nothing cached) when the key cannot be resolved.
  static bool Get(int key, PathString* result);
};

}  // namespace base

# Cross-compiling for Windows with MinGW-w64; programs run under Wine.
# The posix thread model gives GoogleTest the std::mutex it needs; everything links
# statically, so no program imports a compiler runtime DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${NUBREL_TARGET})
set(CMAKE_C_COMPILER ${NUBREL_TARGET}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUBREL_TARGET}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${NUBREL_TARGET}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NUBREL_TARGET}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")

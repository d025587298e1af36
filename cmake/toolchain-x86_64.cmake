# 64-bit Windows (PE32+): the same sources, for running the tests where 32-bit code cannot run.
set(NUBREL_TARGET x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

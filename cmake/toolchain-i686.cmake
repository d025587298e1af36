# 32-bit Windows (PE32): the deliverables.
set(NUBREL_TARGET i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Dependencies built by scripts/setup.sh into the cache outside the checkout.
set(NUBREL_DEPS_FILE "${CMAKE_BINARY_DIR}/../deps-${CMAKE_SYSTEM_PROCESSOR}.cmake" CACHE FILEPATH
    "Dependency locations written by scripts/setup.sh")
if(NOT EXISTS "${NUBREL_DEPS_FILE}")
  message(FATAL_ERROR "${NUBREL_DEPS_FILE} is missing: run scripts/setup.sh first")
endif()
include("${NUBREL_DEPS_FILE}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${NUBREL_DEPS_FILE}")

add_library(sqlite3 STATIC IMPORTED GLOBAL)
set_target_properties(sqlite3 PROPERTIES
  IMPORTED_LOCATION "${NUBREL_SQLITE_DIR}/lib/libsqlite3.a"
  INTERFACE_INCLUDE_DIRECTORIES "${NUBREL_SQLITE_DIR}/include")

add_library(cryptopp STATIC IMPORTED GLOBAL)
set_target_properties(cryptopp PROPERTIES
  IMPORTED_LOCATION "${NUBREL_CRYPTOPP_DIR}/lib/libcryptopp.a"
  INTERFACE_INCLUDE_DIRECTORIES "${NUBREL_CRYPTOPP_DIR}/include"
  INTERFACE_LINK_LIBRARIES ws2_32)

if(NOT EXISTS "${NUBREL_GTEST_DIR}/lib/libgtest.a")
  return()  # this tree builds no tests
endif()
add_library(gtest_lib STATIC IMPORTED GLOBAL)
set_target_properties(gtest_lib PROPERTIES
  IMPORTED_LOCATION "${NUBREL_GTEST_DIR}/lib/libgtest.a"
  INTERFACE_INCLUDE_DIRECTORIES "${NUBREL_GTEST_DIR}/include")
add_library(gtest_main_lib STATIC IMPORTED GLOBAL)
set_target_properties(gtest_main_lib PROPERTIES
  IMPORTED_LOCATION "${NUBREL_GTEST_DIR}/lib/libgtest_main.a"
  INTERFACE_LINK_LIBRARIES gtest_lib)
add_library(gmock_lib STATIC IMPORTED GLOBAL)
set_target_properties(gmock_lib PROPERTIES
  IMPORTED_LOCATION "${NUBREL_GTEST_DIR}/lib/libgmock.a"
  INTERFACE_LINK_LIBRARIES gtest_lib)

# The JSON library's sources that build on any platform (shared with the native build).
# The ANSI code page conversion is platform code: ansi_code_unit_win.cc for Windows.
set(JSON_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/elements.cc
  ${CMAKE_CURRENT_LIST_DIR}/number_token.cc
  ${CMAKE_CURRENT_LIST_DIR}/reader.cc
  ${CMAKE_CURRENT_LIST_DIR}/scanner.cc
  ${CMAKE_CURRENT_LIST_DIR}/writer.cc
)

# Test sources shared by the Windows test build and the native sanitizer build.
set(JSON_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/json_elements_test.cc
  ${CMAKE_CURRENT_LIST_DIR}/json_reader_test.cc
  ${CMAKE_CURRENT_LIST_DIR}/json_round_trip_test.cc
  ${CMAKE_CURRENT_LIST_DIR}/json_writer_test.cc
)
set(TEXT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/http_request_headers_test.cc
  ${CMAKE_CURRENT_LIST_DIR}/http_response_parser_test.cc
  ${CMAKE_CURRENT_LIST_DIR}/stringprintf_test.cc
)

get_filename_component(NUBREL_TEXT_ROOT ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(NUBREL_STRINGPRINTF_SOURCE ${NUBREL_TEXT_ROOT}/base/strings/stringprintf.cc)
set(NUBREL_REQUEST_HEADERS_SOURCE ${NUBREL_TEXT_ROOT}/base/http/http_request_headers.cc)
set(NUBREL_RESPONSE_PARSER_SOURCE ${NUBREL_TEXT_ROOT}/notifications/http/http_response_parser.cc)

# A CUPS scheduler of the test run's own (scripts/cups-private) with a
# cups-pdf queue as its default printer, for the tests that print for real.
# Its configuration, spool, logs and PDFs live in the build tree; it is
# started before the first test that needs it and stopped by its pid after
# the last.
set(SORVEL_CUPS_DIR ${CMAKE_BINARY_DIR}/cups)
set(SORVEL_CUPS_PDF_DIR ${SORVEL_CUPS_DIR}/pdf)
set(SORVEL_CUPS_SOCKET ${SORVEL_CUPS_DIR}/cups.sock)
# A local socket's path has room for about 100 bytes.
string(LENGTH "${SORVEL_CUPS_SOCKET}" socket_length)
if(socket_length GREATER 100)
  string(MD5 build_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${build_hash}" 0 12 build_hash)
  set(SORVEL_CUPS_SOCKET /tmp/sorvel-cups-${build_hash}.sock)
endif()

add_test(NAME cups_private_up
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/cups-private start ${SORVEL_CUPS_DIR} ${SORVEL_CUPS_SOCKET})
set_tests_properties(cups_private_up PROPERTIES FIXTURES_SETUP cups TIMEOUT 60)
add_test(NAME cups_private_down
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/cups-private stop ${SORVEL_CUPS_DIR})
set_tests_properties(cups_private_down PROPERTIES FIXTURES_CLEANUP cups)

# Tests of Windows executables run under Wine in a prefix inside the build
# tree, with one persistent wineserver for the whole run.
set(SORVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(SORVEL_WINE_ENV
  WINEPREFIX=${SORVEL_WINEPREFIX}
  WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=)

add_test(NAME wine_prefix_up
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix up ${SORVEL_WINEPREFIX})
set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine_prefix_down
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix down ${SORVEL_WINEPREFIX})
set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)

# One CTest entry per Windows test executable; further arguments are extra
# environment settings (NAME=value).
function(sorvel_wine_test target)
  add_test(NAME ${target} COMMAND ${target} --gtest_output=xml:${CMAKE_BINARY_DIR}/test-results/${target}.xml)
  set_tests_properties(${target} PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "${SORVEL_WINE_ENV};SORVEL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;${ARGN}"
    TIMEOUT 600)
endfunction()

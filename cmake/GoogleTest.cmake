# GoogleTest from Debian's source package, built with the project's compiler
# but without the project's own charset options.
set(SORVEL_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${SORVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(WIN32)
  foreach(t gtest gtest_main gmock gmock_main)
    target_link_options(${t} INTERFACE -static -static-libgcc -static-libstdc++)
  endforeach()
endif()

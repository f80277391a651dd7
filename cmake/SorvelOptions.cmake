# Paths as the compiler writes them into the code (__FILE__, debug names):
# relative to the source tree and the build tree, never the folders a build
# happens to run in. The build tree may lie inside the source tree, so its
# map comes last, which the compiler tries first.
set(SORVEL_PREFIX_MAPS
  -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
  -ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/)

# Compile options of the project's own targets (never third-party code):
# sources are UTF-8, narrow literals are CP932 as the launcher's texts are.
function(sorvel_target_options target)
  target_compile_options(${target} PRIVATE
    -finput-charset=UTF-8 -fexec-charset=CP932 -Wall -Wextra)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(SORVEL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    # Each function and datum in a section of its own, so that the linker
    # drops what nothing calls (and its unwind tables with it).
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    # Windows 7 SP1 is the oldest system served: subsystem version 6.1 says
    # so (anything newer is looked up at run time). DEP and ASLR stay on.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
      -Wl,--major-subsystem-version,6,--minor-subsystem-version,1
      -Wl,--major-os-version,6,--minor-os-version,1 -Wl,--nxcompat,--dynamicbase -Wl,--gc-sections)
    # The same commit builds the same bytes wherever and whenever it is
    # built, so that anyone can rebuild a release and compare it: no time
    # stamp in the PE header, and no source or build folder in the code.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:${SORVEL_PREFIX_MAPS}>)
    target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  endif()
endfunction()

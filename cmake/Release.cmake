# The release zip, dist/SorvelL-<version>-x86.zip in the build tree, named
# with the same version as the programs' version resources
# (scripts/package.sh copies it to the repository's dist/, or packs a signed
# one from the same arguments). The x86-64 build, which only stands in for
# the x86 one where x86 code cannot run, packs an -x64 zip that never ships.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SORVEL_RELEASE_ZIP ${CMAKE_BINARY_DIR}/dist/SorvelL-${PROJECT_VERSION}-x64.zip)
  # The x86 build beside it, whose release the x86-64 build's tests read.
  set(SORVEL_X86_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/windows CACHE PATH
    "The x86 build whose release zip the x86-64 build's tests read")
else()
  set(SORVEL_RELEASE_ZIP ${CMAKE_BINARY_DIR}/dist/SorvelL-${PROJECT_VERSION}-x86.zip)
endif()

# The publishers' guide as one HTML page per language.
set(SORVEL_GUIDES_DIR ${CMAKE_BINARY_DIR}/guides)
set(guide_pages)
foreach(language ja en)
  set(guide ${PROJECT_SOURCE_DIR}/docs/publishers-guide.${language}.md)
  set(page ${SORVEL_GUIDES_DIR}/publishers-guide.${language}.html)
  add_custom_command(OUTPUT ${page}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_guide_html.py ${guide} ${page}
    DEPENDS ${guide} ${PROJECT_SOURCE_DIR}/scripts/make_guide_html.py
    COMMENT "Making ${page}" VERBATIM)
  list(APPEND guide_pages ${page})
endforeach()
add_custom_target(guide_pages DEPENDS ${guide_pages})

# make_release.py's arguments, one a line, for the target below and for
# scripts/package.sh, which adds its signing options to them.
set(SORVEL_RELEASE_ARGS ${CMAKE_BINARY_DIR}/dist/release.args)
file(GENERATE OUTPUT ${SORVEL_RELEASE_ARGS} CONTENT
"--out\n${SORVEL_RELEASE_ZIP}\n--launcher\n$<TARGET_FILE:SorvelL>\n--checker\n$<TARGET_FILE:SvlCheck>
--guides\n${SORVEL_GUIDES_DIR}\n--series\n${SORVEL_DEMO_SERIES}/SERIES\n--source\n${PROJECT_SOURCE_DIR}\n")
add_custom_target(release_zip ALL
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_release.py @${SORVEL_RELEASE_ARGS}
  BYPRODUCTS ${SORVEL_RELEASE_ZIP}
  COMMENT "Packing ${SORVEL_RELEASE_ZIP}"
  VERBATIM)
add_dependencies(release_zip SorvelL SvlCheck demo_series guide_pages)

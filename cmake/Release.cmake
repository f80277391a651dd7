# The release zip, dist/SorvelL-<version>-x86.zip in the build tree, named
# with the same version as the programs' version resources
# (scripts/package.sh copies it to the repository's dist/).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SORVEL_RELEASE_ZIP ${CMAKE_BINARY_DIR}/dist/SorvelL-${PROJECT_VERSION}-x86.zip)
add_custom_target(release_zip ALL
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_release.py
          ${SORVEL_RELEASE_ZIP} $<TARGET_FILE:SorvelL> $<TARGET_FILE:SvlCheck>
          ${PROJECT_SOURCE_DIR}/docs ${SORVEL_DEMO_SERIES}/SERIES
  BYPRODUCTS ${SORVEL_RELEASE_ZIP}
  COMMENT "Packing ${SORVEL_RELEASE_ZIP}"
  VERBATIM)
add_dependencies(release_zip SorvelL SvlCheck demo_series)

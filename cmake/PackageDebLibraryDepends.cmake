# Run by cpack once the components are staged: sets the Depends of the
# library's package from what dpkg-shlibdeps finds the staged library needs.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(QUORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps REQUIRED)
set(staged ${CPACK_TEMPORARY_DIRECTORY}/library${CPACK_PACKAGING_INSTALL_PREFIX})
set(work ${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps)
file(MAKE_DIRECTORY ${work}/debian)
file(TOUCH ${work}/debian/control)
execute_process(
  COMMAND ${QUORVANE_DPKG_SHLIBDEPS} -O ${staged}/${CPACK_QUORVANE_LIBRARY_FILE}
  WORKING_DIRECTORY ${work}
  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_VARIABLE said  # a warning that the library is not under debian/PACKAGE
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dpkg-shlibdeps failed on the library: ${said}")
endif()
string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS "${found}")

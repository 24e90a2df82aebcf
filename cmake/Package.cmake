# The packages `cpack` makes from what `cmake --install` puts in place. The
# settings every generator shares come first; then those of each generator.
#
# Debian (cpack -G DEB, or scripts/package.sh): one package per install
# component, split as Debian splits a library, each installing under /usr:
#   libquorvaneMAJOR   the shared library (symbols file, ldconfig trigger)
#   libquorvane-dev    headers, static library, .so link, pkg-config, CMake
#   quorvane           the command, its man page, completion and README
#   python3-quorvane   the Python module
# dpkg-shlibdeps finds the Debian packages that the command and the library
# need at run time.

# The project's one contact address: package maintainer, copyright contact,
# changelog signature.
set(QUORVANE_MAINTAINER
    "Quorvane maintainers <maintainers@users.noreply.c-seed-62ad83eb.example>")

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "${QUORVANE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# No CPACK_PACKAGE_DESCRIPTION_SUMMARY here: the Debian generator would put it
# in front of each package's own synopsis.
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 0)

if(NOT WIN32)
  include(cmake/PackageDeb.cmake)
endif()

include(CPack)

# `cpack -G DEB` makes quorvane_VERSION_ARCH.deb from what `cmake --install`
# puts in place, under /usr. dpkg-shlibdeps finds the Debian packages that the
# command and the library need at run time; the Python module wants python3.

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "mission compiler: mission FIT file and ABL script from a mission-design database")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane reads one mission of a mission-design database (a Jet .mdb file or its
SQLite twin) and writes the files the game engine loads for it: the mission FIT
file and the mission script in the ABL language. The package holds the quorvane
command, the libquorvane library with its C interface, the C and C++ headers,
the pkg-config and CMake package files and the Python module quorvane.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
include(CPack)

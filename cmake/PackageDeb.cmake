# The Debian packages of Package.cmake: their names, control fields, control
# files and the documents each package carries in /usr/share/doc/PACKAGE.

set(quorvane_library_package libquorvane${PROJECT_VERSION_MAJOR})
set(quorvane_debian ${CMAKE_BINARY_DIR}/packaging/debian)
set(quorvane_debian_source ${CMAKE_SOURCE_DIR}/packaging/debian)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL library development command python)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(quorvane_about
    "Quorvane reads one mission of a mission-design database (a Jet .mdb file or
its SQLite twin) and writes the files the game engine loads for it: the
mission FIT file and the mission script in the ABL language.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${quorvane_library_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# The library's Depends come from dpkg-shlibdeps too, but run by a script of
# our own: cpack's run would add maintainer scripts that call ldconfig, which
# the trigger does instead.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageDebLibraryDepends.cmake)
set(CPACK_QUORVANE_LIBRARY_FILE ${CMAKE_INSTALL_LIBDIR}/libquorvane.so.${PROJECT_VERSION})
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "mission compiler library
${quorvane_about}
.
This package holds the shared library with the compiler's C interface.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquorvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "${quorvane_library_package} (= ${PROJECT_VERSION})")
# Linking the static library also needs the libraries it uses.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS libsqlite3-dev)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "mission compiler library - development files
${quorvane_about}
.
This package holds the C and C++ headers, the static library, the pkg-config
file and the CMake package (find_package(Quorvane)).")

set(CPACK_DEBIAN_COMMAND_PACKAGE_NAME quorvane)
set(CPACK_DEBIAN_COMMAND_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_COMMAND_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMMAND_PACKAGE_RECOMMENDS bash-completion)
set(CPACK_DEBIAN_COMMAND_DESCRIPTION "mission compiler
${quorvane_about}
.
This package holds the quorvane command, its manual page and its bash
completion.")

set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-quorvane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3:any, ${quorvane_library_package} (>= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION "mission compiler - Python 3 module
${quorvane_about}
.
This package holds the Python 3 module quorvane, which calls the shared
library.")

# Control files: the library's symbols, shlibs and ldconfig trigger (no
# maintainer scripts); the module's byte-compiling and cleaning scripts.
set(QUORVANE_PYTHON_MODULE_DIR ${CPACK_PACKAGING_INSTALL_PREFIX}/${QUORVANE_PYTHON_DIR}/quorvane)
configure_file(${quorvane_debian_source}/libquorvane.symbols.in ${quorvane_debian}/library/symbols @ONLY)
configure_file(${quorvane_debian_source}/libquorvane.shlibs.in ${quorvane_debian}/library/shlibs @ONLY)
configure_file(${quorvane_debian_source}/libquorvane.triggers ${quorvane_debian}/library/triggers COPYONLY)
configure_file(${quorvane_debian_source}/python3-quorvane.postinst ${quorvane_debian}/python/postinst COPYONLY)
configure_file(${quorvane_debian_source}/python3-quorvane.prerm ${quorvane_debian}/python/prerm @ONLY)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
    ${quorvane_debian}/library/symbols ${quorvane_debian}/library/shlibs
    ${quorvane_debian}/library/triggers)
set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${quorvane_debian}/python/postinst ${quorvane_debian}/python/prerm)

# Every package carries the copyright file and the changelog (compressed); only
# the packages do, not a plain install. The copyright file's licence paragraph
# is LICENSE in that file's form: each line indented by a space, an empty line
# written as " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE QUORVANE_LICENCE)
string(STRIP "${QUORVANE_LICENCE}" QUORVANE_LICENCE)
string(REPLACE "\n\n" "\n.\n" QUORVANE_LICENCE "${QUORVANE_LICENCE}")
string(REPLACE "\n" "\n " QUORVANE_LICENCE " ${QUORVANE_LICENCE}")
configure_file(${quorvane_debian_source}/copyright.in ${quorvane_debian}/copyright @ONLY)
configure_file(${quorvane_debian_source}/changelog.in ${quorvane_debian}/changelog @ONLY)
add_custom_command(OUTPUT ${quorvane_debian}/changelog.gz
  COMMAND gzip -9nf --keep ${quorvane_debian}/changelog
  DEPENDS ${quorvane_debian}/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(quorvane_debian_changelog ALL DEPENDS ${quorvane_debian}/changelog.gz)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  install(FILES ${quorvane_debian}/copyright ${quorvane_debian}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

# What `cmake --install` puts in place: the command, the libraries, the public
# headers, quorvane.pc, the CMake package (find_package(Quorvane) gives
# Quorvane::quorvane, and Quorvane::quorvane_static), the man page, the bash
# completion and the Python module.

include(CMakePackageConfigHelpers)

set(QUORVANE_PYTHON_DIR "lib/python3/dist-packages"
    CACHE STRING "Where the Python module goes, relative to the prefix")
set(quorvane_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvane)

install(TARGETS quorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set_target_properties(quorvane_static PROPERTIES EXPORT_NAME quorvane_static)
set_target_properties(quorvane_public_headers PROPERTIES EXPORT_NAME headers)
install(TARGETS quorvane_shared quorvane_static quorvane_public_headers
  EXPORT QuorvaneTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES include/quorvane/quorvane.h include/quorvane/compiler.h
              ${CMAKE_BINARY_DIR}/include/quorvane/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvane)

# The package files name their places relative to their own folder, so that
# one build installs into any prefix (cmake --install --prefix, cpack).
file(RELATIVE_PATH quorvane_pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(packaging/quorvane.pc.in ${CMAKE_BINARY_DIR}/packaging/quorvane.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quorvane.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(EXPORT QuorvaneTargets NAMESPACE Quorvane:: DESTINATION ${quorvane_cmake_dir})
configure_package_config_file(packaging/QuorvaneConfig.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfig.cmake
  INSTALL_DESTINATION ${quorvane_cmake_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/QuorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfig.cmake
              ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfigVersion.cmake
        DESTINATION ${quorvane_cmake_dir})

configure_file(packaging/quorvane.1.in ${CMAKE_BINARY_DIR}/packaging/quorvane.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quorvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/quorvane.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME quorvane)

# The Python module finds the installed library from its own folder.
file(RELATIVE_PATH quorvane_python_to_library /${QUORVANE_PYTHON_DIR}/quorvane
     /${CMAKE_INSTALL_LIBDIR}/libquorvane.so.${PROJECT_VERSION_MAJOR})
configure_file(python/quorvane/_installed.py.in ${CMAKE_BINARY_DIR}/python/_installed.py @ONLY)
install(DIRECTORY python/quorvane DESTINATION ${QUORVANE_PYTHON_DIR}
        FILES_MATCHING PATTERN "*.py" PATTERN "__pycache__" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/python/_installed.py
        DESTINATION ${QUORVANE_PYTHON_DIR}/quorvane)

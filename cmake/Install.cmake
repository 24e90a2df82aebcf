# What `cmake --install` puts in place, in four components that the Debian
# packages follow: "library" (libquorvane.so.MAJOR), "development" (headers,
# libquorvane.a, the .so link, quorvane.pc and the CMake package:
# find_package(Quorvane) gives Quorvane::quorvane and Quorvane::quorvane_static),
# "command" (quorvane, its man page, bash completion and the README) and
# "python" (the module).

include(CMakePackageConfigHelpers)

set(QUORVANE_PYTHON_DIR "lib/python3/dist-packages"
    CACHE STRING "Where the Python module goes, relative to the prefix")
set(quorvane_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvane)
# A shared library is mapped, not run: no execute bit.
set(quorvane_data_permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

install(TARGETS quorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT command)
set_target_properties(quorvane_static PROPERTIES EXPORT_NAME quorvane_static)
set_target_properties(quorvane_public_headers PROPERTIES EXPORT_NAME headers)
install(TARGETS quorvane_shared quorvane_static quorvane_public_headers
  EXPORT QuorvaneTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} PERMISSIONS ${quorvane_data_permissions}
          COMPONENT library NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES include/quorvane/quorvane.h include/quorvane/compiler.h
              ${CMAKE_BINARY_DIR}/include/quorvane/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvane COMPONENT development)

# What a stripping install (cmake --install --strip, cpack) also takes out of
# the ELF files, as Debian strips its packages: the compiler's .comment and
# .note sections, and the debug information of the static library, whose
# symbols must stay.
if(NOT WIN32)
  foreach(stripped IN ITEMS
      "library;${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:quorvane_shared>;--strip-unneeded"
      "development;${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:quorvane_static>;--strip-debug;--enable-deterministic-archives"
      "command;${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:quorvane>")
    list(POP_FRONT stripped component file)
    list(JOIN stripped " " options)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
          --remove-section=.note ${options} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()" COMPONENT ${component})
  endforeach()
endif()

# quorvane.pc names the prefix it is installed under, which is known only at
# install time (cmake --install --prefix, cpack): the build fills in the rest
# and leaves the prefix for the install to fill in.
set(quorvane_pc_prefix "@quorvane_pc_prefix@")
configure_file(packaging/quorvane.pc.in ${CMAKE_BINARY_DIR}/packaging/quorvane.pc.in @ONLY)
install(CODE "
  set(quorvane_pc_prefix \"\${CMAKE_INSTALL_PREFIX}\")
  string(MD5 place \"\$ENV{DESTDIR}\${quorvane_pc_prefix}\")
  set(made \"${CMAKE_BINARY_DIR}/packaging/pkgconfig/\${place}/quorvane.pc\")
  configure_file(\"${CMAKE_BINARY_DIR}/packaging/quorvane.pc.in\" \"\${made}\" @ONLY)
  file(INSTALL DESTINATION \"\${quorvane_pc_prefix}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\"
       TYPE FILE FILES \"\${made}\")" COMPONENT development)

install(EXPORT QuorvaneTargets NAMESPACE Quorvane:: DESTINATION ${quorvane_cmake_dir}
        COMPONENT development)
configure_package_config_file(packaging/QuorvaneConfig.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfig.cmake
  INSTALL_DESTINATION ${quorvane_cmake_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/QuorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfig.cmake
              ${CMAKE_BINARY_DIR}/packaging/QuorvaneConfigVersion.cmake
        DESTINATION ${quorvane_cmake_dir} COMPONENT development)

# The man page goes compressed, as man reads it and Debian wants it.
configure_file(packaging/quorvane.1.in ${CMAKE_BINARY_DIR}/packaging/quorvane.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/quorvane.1.gz
  COMMAND gzip -9nf --keep ${CMAKE_BINARY_DIR}/packaging/quorvane.1
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/quorvane.1
  COMMENT "Compressing the man page")
add_custom_target(quorvane_man_page ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/quorvane.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quorvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT command)
install(FILES packaging/quorvane.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME quorvane COMPONENT command)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT command)

# The Python module finds the installed library from its own folder.
file(RELATIVE_PATH quorvane_python_to_library /${QUORVANE_PYTHON_DIR}/quorvane
     /${CMAKE_INSTALL_LIBDIR}/libquorvane.so.${PROJECT_VERSION_MAJOR})
configure_file(python/quorvane/_installed.py.in ${CMAKE_BINARY_DIR}/python/_installed.py @ONLY)
install(DIRECTORY python/quorvane DESTINATION ${QUORVANE_PYTHON_DIR}
        COMPONENT python FILES_MATCHING PATTERN "*.py" PATTERN "__pycache__" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/python/_installed.py
        DESTINATION ${QUORVANE_PYTHON_DIR}/quorvane COMPONENT python)

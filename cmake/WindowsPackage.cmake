# The Windows release: `cpack -G ZIP` makes quorvane-VERSION-win64.zip, one
# folder holding the command and the DLL (which need only Windows' own DLLs),
# the import library for MinGW, a .def file from which MSVC's `lib /def:`
# makes one, the headers, the Python package (which loads quorvane.dll from
# beside itself), the README and the licence.

# quorvane.dll and libquorvane.dll.a; the .def file lists its exports.
set_target_properties(quorvane_shared PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
set(quorvane_def ${CMAKE_BINARY_DIR}/quorvane.def)
target_link_options(quorvane_shared PRIVATE -Wl,--output-def,${quorvane_def})

# The command reads its arguments and file names as UTF-8 whatever the
# system's code page (an application manifest).
target_sources(quorvane PRIVATE ${CMAKE_SOURCE_DIR}/packaging/windows/quorvane.rc)

install(TARGETS quorvane quorvane_shared
  RUNTIME DESTINATION .
  ARCHIVE DESTINATION .)
install(FILES ${quorvane_def} DESTINATION .)
install(FILES include/quorvane/quorvane.h include/quorvane/compiler.h
              ${CMAKE_BINARY_DIR}/include/quorvane/version.h
        DESTINATION include/quorvane)
install(DIRECTORY python/quorvane DESTINATION .
        FILES_MATCHING PATTERN "*.py" PATTERN "__pycache__" EXCLUDE)
install(FILES README.md LICENSE DESTINATION .)

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

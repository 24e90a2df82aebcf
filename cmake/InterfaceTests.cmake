# Tests of Quorvane as hosts and users get it: the C interface and the C++
# header through the shared library, the Python module, the library's exports,
# the documentation of every subcommand, the installed files with programs
# built outside the build tree, and the Debian packages. The last four need the
# uninstrumented build and are left out of the sanitizer build.

file(GLOB interface_tests CONFIGURE_DEPENDS tests/interface/*_test.cc)
add_executable(quorvane_interface_tests ${interface_tests}
               tests/support/files.cc tests/support/fixtures.cc
               tests/support/golden_files.cc)
target_include_directories(quorvane_interface_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(quorvane_interface_tests PRIVATE
  quorvane_shared SQLite::SQLite3 GTest::gtest_main Threads::Threads)
target_compile_definitions(quorvane_interface_tests PRIVATE
  QUORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(quorvane_interface_tests DISCOVERY_TIMEOUT 60 ${quorvane_discovery})

if(WIN32)
  add_test(NAME DllExportsOnlyTheCInterface
           COMMAND ${CMAKE_SOURCE_DIR}/tests/check_windows_exports.sh $<TARGET_FILE:quorvane_shared>
                   $<TARGET_FILE:quorvane> ${CMAKE_SOURCE_DIR}/include/quorvane/quorvane.h)
  set(QUORVANE_LINUX_BINARY "" CACHE FILEPATH
      "The Linux build's quorvane command, whose output the Windows command must match")
  if(QUORVANE_LINUX_BINARY)
    set(example ${CMAKE_SOURCE_DIR}/examples/campaign.mdb)
    add_test(NAME SameOutputAsLinux
             COMMAND ${CMAKE_SOURCE_DIR}/tests/check_same_output.sh ${QUORVANE_LINUX_BINARY}
                     $<TARGET_FILE:quorvane> ${CMAKE_CROSSCOMPILING_EMULATOR} ${example})
  endif()
  return()
endif()

add_test(NAME DocumentationCoversEverySubcommand
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check_docs.sh $<TARGET_FILE:quorvane>
                 ${CMAKE_SOURCE_DIR}/packaging/quorvane.1.in
                 ${CMAKE_SOURCE_DIR}/packaging/quorvane.bash-completion)

if(QUORVANE_SANITIZE OR QUORVANE_SANITIZE_THREADS)
  return()
endif()

add_test(NAME SharedLibraryExportsOnlyTheCInterface
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check_exports.sh $<TARGET_FILE:quorvane_shared>
                 ${CMAKE_SOURCE_DIR}/include/quorvane/quorvane.h
                 libquorvane.so.${PROJECT_VERSION_MAJOR})

find_program(QUORVANE_PYTEST NAMES pytest-3)
if(QUORVANE_PYTEST)
  add_test(NAME PythonModule
           COMMAND ${QUORVANE_PYTEST} -q -p no:cacheprovider ${CMAKE_SOURCE_DIR}/tests/python)
  set_tests_properties(PythonModule PROPERTIES ENVIRONMENT
    "QUORVANE_LIBRARY=$<TARGET_FILE:quorvane_shared>;PYTHONPATH=${CMAKE_SOURCE_DIR}/python;PYTHONDONTWRITEBYTECODE=1")
else()
  message(WARNING "pytest-3 (Debian python3-pytest) not found: the Python module is not tested")
endif()

add_test(NAME InstalledQuorvaneBuildsHostsOutsideTheTree
         COMMAND ${CMAKE_SOURCE_DIR}/tests/consumers/check_consumers.sh
                 ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
add_test(NAME DebianPackage
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check_deb.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
# Both install the whole build tree; run them one after the other.
set_tests_properties(InstalledQuorvaneBuildsHostsOutsideTheTree DebianPackage PROPERTIES
  RESOURCE_LOCK quorvane_install)

# The dependencies of the Windows build, which Debian packages only for Linux:
# SQLite from its amalgamation (QUORVANE_SQLITE_SOURCE, made by
# scripts/fetch-sqlite-amalgamation.sh from Debian's source package),
# GoogleTest from Debian's sources in /usr/src/googletest, and the header-only
# CLI11 and nlohmann-json through a folder that holds only their headers (their
# CMake files would add the Linux /usr/include).

set(QUORVANE_SQLITE_SOURCE "" CACHE PATH "Folder with sqlite3.c and sqlite3.h")
if(NOT EXISTS "${QUORVANE_SQLITE_SOURCE}/sqlite3.c")
  message(FATAL_ERROR "QUORVANE_SQLITE_SOURCE must name a folder with the SQLite amalgamation "
                      "(scripts/fetch-sqlite-amalgamation.sh makes one)")
endif()
add_library(quorvane_sqlite3 STATIC ${QUORVANE_SQLITE_SOURCE}/sqlite3.c)
target_include_directories(quorvane_sqlite3 SYSTEM PUBLIC ${QUORVANE_SQLITE_SOURCE})
# The options Debian builds its libsqlite3 with that matter to a reader, and no
# loading of extensions.
target_compile_definitions(quorvane_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION
                           SQLITE_ENABLE_COLUMN_METADATA SQLITE_DEFAULT_FOREIGN_KEYS=0)
target_compile_options(quorvane_sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS quorvane_sqlite3)

set(quorvane_header_folder ${CMAKE_BINARY_DIR}/thirdparty-headers)
file(MAKE_DIRECTORY ${quorvane_header_folder})
foreach(folder CLI nlohmann)
  file(CREATE_LINK /usr/include/${folder} ${quorvane_header_folder}/${folder} SYMBOLIC)
endforeach()
add_library(quorvane_header_only INTERFACE)
target_include_directories(quorvane_header_only SYSTEM INTERFACE ${quorvane_header_folder})
add_library(CLI11::CLI11 ALIAS quorvane_header_only)
add_library(nlohmann_json::nlohmann_json ALIAS quorvane_header_only)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

find_package(Threads REQUIRED)

# Programs and the DLL carry the C++ and GCC runtimes in themselves, so they
# need nothing beside them but Windows' own DLLs.
add_link_options(-static)

# libquorvane: the layers' objects as one shared library (libquorvane.so.MAJOR,
# exporting only the C interface of include/quorvane/quorvane.h) and one static
# library (libquorvane.a). The quorvane command links the same objects through
# the layer libraries.

set(quorvane_layers platform database run fit script picture compiler capi)
set(quorvane_objects)
foreach(layer IN LISTS quorvane_layers)
  list(APPEND quorvane_objects $<TARGET_OBJECTS:quorvane_${layer}>)
endforeach()

add_library(quorvane_shared SHARED ${quorvane_objects})
set_target_properties(quorvane_shared PROPERTIES
  OUTPUT_NAME quorvane
  EXPORT_NAME quorvane
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  LINKER_LANGUAGE CXX)
target_link_libraries(quorvane_shared
  PUBLIC quorvane_public_headers
  PRIVATE SQLite::SQLite3)
# Hidden visibility keeps our own symbols in; the list also keeps in the
# standard library's template code that the objects carry. (On Windows the
# export attributes of quorvane.h alone decide.)
if(NOT WIN32 AND NOT APPLE)
  set(quorvane_exports ${CMAKE_SOURCE_DIR}/src/capi/exports.map)
  target_link_options(quorvane_shared PRIVATE -Wl,--version-script=${quorvane_exports}
    $<$<NOT:$<BOOL:${QUORVANE_SANITIZE}>>:-Wl,--no-undefined>)
  set_property(TARGET quorvane_shared APPEND PROPERTY LINK_DEPENDS ${quorvane_exports})
endif()

add_library(quorvane_static STATIC ${quorvane_objects})
set_target_properties(quorvane_static PROPERTIES
  OUTPUT_NAME quorvane
  LINKER_LANGUAGE CXX)
# A program that links the static library needs what the layers use, and the
# C++ runtime when it is written in C.
target_link_libraries(quorvane_static
  PUBLIC quorvane_public_headers
         $<BUILD_INTERFACE:SQLite::SQLite3>
         $<INSTALL_INTERFACE:sqlite3;stdc++;m>)

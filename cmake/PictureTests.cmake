# The mission pictures as a reader gets them: `quorvane map` and `quorvane
# report` parsed with Python's XML parser, the component's mission_map, and
# the report rendered by a headless browser (skipped without chromium). Left
# out of the sanitizer build, whose library Python cannot load, and of the
# Windows build, whose DLL the build machine's Python cannot load.

if(QUORVANE_SANITIZE OR QUORVANE_SANITIZE_THREADS OR WIN32)
  return()
endif()
find_program(QUORVANE_PICTURE_PYTEST NAMES pytest-3)
if(QUORVANE_PICTURE_PYTEST)
  add_test(NAME MissionPictures
           COMMAND ${QUORVANE_PICTURE_PYTEST} -q -p no:cacheprovider ${CMAKE_SOURCE_DIR}/tests/picture)
  set_tests_properties(MissionPictures PROPERTIES ENVIRONMENT
    "QUORVANE_BINARY=$<TARGET_FILE:quorvane>;QUORVANE_LIBRARY=$<TARGET_FILE:quorvane_shared>;PYTHONPATH=${CMAKE_SOURCE_DIR}/python;PYTHONDONTWRITEBYTECODE=1")
endif()

# Fails when a source of the logic library includes a header of a layer above it (platform,
# gui, app): the logic library links QtCore only and must build without them.
# Run with: cmake -DSOURCE_DIR=<repository>/src -P CheckLayers.cmake
file(GLOB_RECURSE logic_files "${SOURCE_DIR}/logic/*.h" "${SOURCE_DIR}/logic/*.cpp")
set(violations "")
foreach(path IN LISTS logic_files)
  file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](platform|gui|app)/")
  foreach(line IN LISTS includes)
    string(APPEND violations "${path}: ${line}\n")
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "The logic library includes layers above it:\n${violations}")
endif()

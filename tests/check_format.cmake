# The format test: clang-format --dry-run --Werror over the project's own C and C++ files, found
# when the test runs so that a new file is checked at once. Build folders are left out.
#   cmake -DCLANG_FORMAT=PROGRAM -DSOURCE_DIR=DIR -DBINARY_DIR=DIR -P check_format.cmake
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format is missing: run bash scripts/install-deps.sh")
endif()

# Never follow symbolic links: a build folder may hold a Wine prefix, whose drive z: is the root.
cmake_policy(SET CMP0009 NEW)
# Only the folders that hold the project's own code, so build folders (and anything a tool drops
# beside them) are never walked.
set(files)
foreach(folder app bench dynamics fuzz render tests tools)
  file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.c)
  list(APPEND files ${found})
endforeach()
list(FILTER files EXCLUDE REGEX "^${BINARY_DIR}/")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()

execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "format: the files above do not follow .clang-format; run clang-format -i on them")
endif()
message(STATUS "format: ${count} files follow .clang-format")

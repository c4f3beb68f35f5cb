# Fails when a C++ file of the project is not formatted as .clang-format says.
#   cmake -DCLANG_FORMAT=<clang-format> -DSOURCE_DIR=<project> -P FormatCheck.cmake
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format is missing: the format check cannot run")
endif()
set(sources)
foreach(folder engine game tools tests bench)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp
         ${SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
endforeach()
list(SORT sources)
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no C++ file found under ${SOURCE_DIR}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the files above do not follow .clang-format (clang-format -i fixes them)")
endif()
message(STATUS "${count} files follow .clang-format")

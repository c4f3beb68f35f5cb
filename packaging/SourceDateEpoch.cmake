# The one time every date and time stamp in the packages comes from, taken the way Debian's
# tools take it: SOURCE_DATE_EPOCH from the environment when it is set, else the time of the
# last commit (in a source tree without git history, the time of its top-level CMakeLists.txt,
# which `git archive` gives every file). It is put into the environment, where CPack's
# archives and string(TIMESTAMP) read it.
# Needs HALVREN_PROJECT_DIR, the top-level source directory.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    if(EXISTS "${HALVREN_PROJECT_DIR}/.git")
        execute_process(COMMAND git -C "${HALVREN_PROJECT_DIR}" log -1 --format=%ct
            OUTPUT_VARIABLE _epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    else()
        file(TIMESTAMP "${HALVREN_PROJECT_DIR}/CMakeLists.txt" _epoch "%s" UTC)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${_epoch}")
endif()
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"$ENV{SOURCE_DATE_EPOCH}\", not a number of seconds")
endif()

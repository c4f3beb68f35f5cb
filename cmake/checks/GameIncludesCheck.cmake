# Fails when SFML reaches a game file, named in it or included through an engine header, and
# when the compiler cannot list a game file's headers (a check that could not look fails).
#   cmake -DCXX=<compiler> -DSOURCE_DIR=<project> -P GameIncludesCheck.cmake
file(GLOB sources ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h)
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no game file found under ${SOURCE_DIR}/game")
endif()
set(failed FALSE)
foreach(source ${sources})
    file(READ ${source} text)
    if(text MATCHES "SFML")
        message(SEND_ERROR "${source} names SFML")
    endif()
    if(NOT source MATCHES "\\.cpp$")
        continue()
    endif()
    # -M lists system headers too: on Debian SFML's headers are system headers.
    execute_process(COMMAND ${CXX} -std=c++17 -I${SOURCE_DIR}/engine/include -I${SOURCE_DIR}/game
                            -M ${source}
        RESULT_VARIABLE result OUTPUT_VARIABLE headers ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${CXX} could not list the headers of ${source}:\n${errors}")
    elseif(headers MATCHES "SFML/")
        message(SEND_ERROR "${source} includes SFML through an engine header")
    endif()
endforeach()
message(STATUS "${count} game files checked")

# A cross build cannot run the music generator it builds for the target, so it runs the one of
# a build for the build host: `scripts/build.sh release`, which this file finds by itself, or
# -DHALVREN_HOST_MUSICGEN=<host build>/tools/musicgen/halvren-musicgen.
set(HALVREN_HOST_MUSICGEN "" CACHE FILEPATH
    "halvren-musicgen built for the build host; cross builds run it to make the music")
set(_host_build_generator ${CMAKE_SOURCE_DIR}/build/release/tools/musicgen/halvren-musicgen)
if(NOT HALVREN_HOST_MUSICGEN AND EXISTS ${_host_build_generator})
    set_property(CACHE HALVREN_HOST_MUSICGEN PROPERTY VALUE ${_host_build_generator})
endif()
if(NOT EXISTS "${HALVREN_HOST_MUSICGEN}")
    message(FATAL_ERROR "A cross build needs the music generator built for this machine: run "
                        "scripts/build.sh release first, or set HALVREN_HOST_MUSICGEN")
endif()

# Optimised builds on Debian take the distribution's hardening flags from dpkg-buildflags, as
# a package built by Debian's own tools does: fortified C library calls, the stack protector,
# format checks, read-only relocations, and the source tree's path mapped to "." in what the
# compiler writes out. The build type keeps its own optimisation and debugging flags, and the
# project's warnings stay as they are. Not for the sanitizer and fuzzing builds (the fortified
# calls would bypass the sanitizers' own checks) nor for a cross-build (the flags are those of
# this machine's compiler and C library).
option(HALVREN_DPKG_BUILDFLAGS "Add dpkg-buildflags' flags to optimised builds" ON)
if(NOT HALVREN_DPKG_BUILDFLAGS OR HALVREN_SANITIZE OR HALVREN_FUZZ OR CMAKE_CROSSCOMPILING
   OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    return()
endif()
find_program(HALVREN_DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags)
if(NOT HALVREN_DPKG_BUILDFLAGS_PROGRAM)
    message(STATUS "dpkg-buildflags not found: built without Debian's hardening flags")
    return()
endif()
foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run from the source tree, which dpkg-buildflags' -ffile-prefix-map then names ".".
    execute_process(COMMAND ${HALVREN_DPKG_BUILDFLAGS_PROGRAM} --get ${_kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(_flags UNIX_COMMAND "${_flags}")
    list(FILTER _flags EXCLUDE REGEX "^-(g|O)")
    if(_kind STREQUAL "LDFLAGS")
        add_link_options(${_flags})
    else()
        add_compile_options(${_flags})
    endif()
endforeach()

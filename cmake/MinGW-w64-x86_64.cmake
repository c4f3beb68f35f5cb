# Cross-compiles for 64-bit Windows with Debian's mingw-w64, posix thread model (the win32
# model has no std::thread or std::mutex); SFML for Windows is built with the same file.
#   cmake --preset windows -DCMAKE_PREFIX_PATH="$(scripts/sfml3.sh windows)"
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Libraries, headers and packages come from the mingw sysroot and the prefixes given on the
# command line, never from the build host; programs (cmake, python) from the host. A project
# that searches extra directories of its own may set the library and include modes to BOTH.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
foreach(_kind LIBRARY INCLUDE PACKAGE)
    if(NOT DEFINED CMAKE_FIND_ROOT_PATH_MODE_${_kind})
        set(CMAKE_FIND_ROOT_PATH_MODE_${_kind} ONLY)
    endif()
endforeach()

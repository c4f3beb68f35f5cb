# The Windows run directory and zip. `cpack -G ZIP` packs the run directory, so a player unzips
# it and starts halvren.exe.

# halvren.exe is linked statically, SFML, its dependencies and the MinGW runtime (the C++ library,
# GCC's unwinder, winpthreads) included: the zip holds one program beside its data, with no DLL to
# lose when the folder is copied by hand, and none that a copy of the same name elsewhere on the
# search path can stand in for. The program's size grows by what it uses of each library only.
target_link_options(halvren PRIVATE -static)

# The zip holds the run directory as the build laid it out, in one folder, and nothing of the
# Linux install rules (packaging/), which stay in CMake's unnamed component.
install(DIRECTORY ${HALVREN_RUN_DIR}/ DESTINATION . COMPONENT windows
    PATTERN corvane.log EXCLUDE)
# A stripped install (CPack strips) drops the debugging sections the static MinGW libraries bring.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:halvren>\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT windows)
# The licences of the libraries inside halvren.exe, which ask a program built with them to carry
# their notices: those installed with SFML (scripts/sfml3.sh's prefix), and the MinGW runtime's
# (winpthreads and the C runtime start-up code) as Debian's mingw-w64 gives it.
get_filename_component(_sfml_prefix "${SFML_DIR}/../../.." ABSOLUTE)
file(GLOB _sfml_notices "${_sfml_prefix}/share/doc/*/*")
list(FILTER _sfml_notices EXCLUDE REGEX "readme")
set(_mingw_notice /usr/share/doc/mingw-w64-x86-64-dev/copyright)
if(NOT SFML_DIR OR NOT _sfml_notices OR NOT EXISTS ${_mingw_notice})
    message(FATAL_ERROR "The Windows zip needs the licence notices of what halvren.exe links: "
        "build against SFML 3 installed by scripts/sfml3.sh windows, with mingw-w64-x86-64-dev")
endif()
foreach(_notice ${_sfml_notices})
    get_filename_component(_library "${_notice}" DIRECTORY)
    get_filename_component(_library "${_library}" NAME)
    install(FILES ${_notice} DESTINATION licences/${_library} COMPONENT windows)
endforeach()
install(FILES ${_mingw_notice} DESTINATION licences/mingw-w64 COMPONENT windows)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME halvren-${PROJECT_VERSION}-windows-x64)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# packaging/ includes CPack, once for every platform, with these settings in force.

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
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME halvren-${PROJECT_VERSION}-windows-x64)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# packaging/ includes CPack, once for every platform, with these settings in force.

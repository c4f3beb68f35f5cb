# The Windows run directory and zip. The build puts the DLLs halvren.exe loads beside it in
# the run directory, next to the data laid out there; `cpack -G ZIP` packs that directory, so a
# player unzips it and starts halvren.exe.

# SFML's DLLs come with its imported targets; OpenAL's lies beside them in SFML's bin/.
add_custom_target(halvren_windows_dlls
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_RUNTIME_DLLS:halvren>
            $<TARGET_FILE_DIR:sfml-audio>/openal32.dll ${HALVREN_RUN_DIR}
    COMMAND_EXPAND_LISTS VERBATIM)
add_dependencies(halvren_run_data halvren_windows_dlls)

# The MinGW runtime (the C++ library, GCC's unwinder, winpthreads) comes from the compiler's
# directories, without the debugging sections Debian's copies carry (most of their size).
if(MINGW)
    foreach(_runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_runtime}
            OUTPUT_VARIABLE _runtime_source OUTPUT_STRIP_TRAILING_WHITESPACE)
        # The compiler answers with the bare name when it has no such file.
        if(NOT IS_ABSOLUTE "${_runtime_source}" OR NOT EXISTS "${_runtime_source}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${_runtime}")
        endif()
        add_custom_command(OUTPUT ${HALVREN_RUN_DIR}/${_runtime}
            COMMAND ${CMAKE_COMMAND} -E copy ${_runtime_source} ${HALVREN_RUN_DIR}/${_runtime}
            COMMAND ${CMAKE_STRIP} --strip-debug ${HALVREN_RUN_DIR}/${_runtime}
            DEPENDS ${_runtime_source} VERBATIM)
        list(APPEND _runtime_copies ${HALVREN_RUN_DIR}/${_runtime})
    endforeach()
    add_custom_target(halvren_windows_runtime DEPENDS ${_runtime_copies})
    add_dependencies(halvren_run_data halvren_windows_runtime)
endif()

# The zip holds the run directory as the build laid it out, in one folder, and nothing of the
# Linux install rules (packaging/), which stay in CMake's unnamed component.
install(DIRECTORY ${HALVREN_RUN_DIR}/ DESTINATION . COMPONENT windows
    PATTERN corvane.log EXCLUDE)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME halvren-${PROJECT_VERSION}-windows-x64)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# packaging/ includes CPack, once for every platform, with these settings in force.

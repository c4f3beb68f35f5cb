# Takes SFML 3 when CMake finds it, SFML 2.5 or later otherwise.
# HALVREN_SFML=2 or 3 pins one major version; every preset pins one (CMakePresets.json).
# With HALVREN_SFML=3 and no SFML 3 installed, SFML 3 is fetched and built with the game
# (FetchSfml.cmake); scripts/sfml3.sh keeps an installed copy to pass in CMAKE_PREFIX_PATH.
# The result is one interface target, halvren_sfml; the code reads the version from SFML.
set(HALVREN_SFML "AUTO" CACHE STRING "SFML major version to build against: AUTO, 2 or 3")
set_property(CACHE HALVREN_SFML PROPERTY STRINGS AUTO 2 3)

if(NOT HALVREN_SFML STREQUAL "2")
    find_package(SFML 3 QUIET COMPONENTS Graphics Window Audio System)
    # SFML's package names static libraries only when asked for them.
    if(NOT SFML_FOUND AND SFML_DIR)
        set(SFML_STATIC_LIBRARIES ON)
        find_package(SFML 3 QUIET COMPONENTS Graphics Window Audio System)
    endif()
    if(NOT SFML_FOUND AND HALVREN_SFML STREQUAL "3")
        include(FetchSfml)
        halvren_fetch_sfml(EXCLUDE_FROM_ALL)
        set(SFML_FOUND ON)
        set(SFML_VERSION ${HALVREN_SFML3_VERSION})
    endif()
endif()

if(SFML_FOUND AND SFML_VERSION VERSION_GREATER_EQUAL 3)
    set(_halvren_sfml_targets SFML::Graphics SFML::Window SFML::Audio SFML::System)
else()
    unset(SFML_DIR CACHE)
    find_package(SFML 2.5 REQUIRED COMPONENTS graphics window audio system)
    set(_halvren_sfml_targets sfml-graphics sfml-window sfml-audio sfml-system)
endif()
message(STATUS "Halvren: building against SFML ${SFML_VERSION}")
add_library(halvren_sfml INTERFACE)
target_link_libraries(halvren_sfml INTERFACE ${_halvren_sfml_targets})

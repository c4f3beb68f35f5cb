# SFML 3 through FetchContent, as SFML's project template takes it:
# halvren_fetch_sfml([EXCLUDE_FROM_ALL]) adds SFML's targets (SFML::Graphics...) to the build.
# SelectSfml.cmake calls it when no SFML 3 is installed; cmake/sfml-prefix calls it to build the
# installed copy the test command keeps (scripts/sfml3.sh).
#
# With a network SFML comes from its release archive, and a Windows build of SFML fetches
# FreeType, Ogg, Vorbis and FLAC itself. Without one, HALVREN_DEPS_DIR names a folder holding the
# same releases as archives of their tags (each with a SHA-256 of its own, below): SFML is taken
# from there and, for Windows, the four dependencies are unpacked and patched as SFML patches
# them, into this build tree.
include(FetchContent)

set(HALVREN_DEPS_DIR "$ENV{HALVREN_DEPS_DIR}" CACHE PATH
    "Folder of source archives for builds without a network (SFML, its dependencies for Windows)")

set(HALVREN_SFML3_VERSION 3.0.2)
set(_sfml_release_url
    https://github.com/SFML/SFML/archive/refs/tags/${HALVREN_SFML3_VERSION}.tar.gz)
# The code host's archive of the tag; the archives below are made from the same tags by git
# archive, hence SHA-256 sums of their own.
set(_sfml_release_sha256 0034e05f95509e5d3fb81b1625713e06da7b068f210288ce3fd67106f8f46995)
# name | archive in HALVREN_DEPS_DIR | its SHA-256 | SFML's patch script for it, under tools/
set(_sfml_archives
    "SFML|SFML-${HALVREN_SFML3_VERSION}.tar.gz|4ec112c9d011405049ab3b96ba1915675f08d8ab16f5c62d317ed1b14fbe33d4|"
    "freetype|freetype-2.13.2.tar.gz|751ae640a150a28bb0ddc5296e19bb64f54b6d60020c6de02109a1c3d813050d|freetype/PatchFreetype"
    "ogg|ogg-1.3.5.tar.gz|ef1464a8d93a0d75d89a3b6196cca12226989abb5715bfe31bcb58cc2e4f850b|ogg/PatchOgg"
    "vorbis|vorbis-1.3.7.tar.gz|267fb73a5ec116e33eb524694760364afe9e1a511be7420ea9ec9887d4eba701|vorbis/PatchVorbis"
    "flac|flac-1.4.3.tar.gz|d050f5535c5a5d42ffe5ff4fa37f2d89140484f8d29f528f12f0c2e130fd24ed|flac/PatchFLAC")

# _sfml_local_archive(row): sets name, archive (its path, checked to exist), sha256 and patch.
macro(_sfml_local_archive row)
    string(REPLACE "|" ";" _fields "${row}")
    list(GET _fields 0 name)
    list(GET _fields 1 archive)
    list(GET _fields 2 sha256)
    list(GET _fields 3 patch)
    set(archive ${HALVREN_DEPS_DIR}/${archive})
    if(NOT EXISTS ${archive})
        message(FATAL_ERROR "HALVREN_DEPS_DIR has no ${archive}")
    endif()
endmacro()

function(halvren_fetch_sfml)
    # Static libraries, no network module; on Linux Debian's FreeType, Vorbis, Ogg and FLAC.
    set(BUILD_SHARED_LIBS OFF)
    set(SFML_BUILD_NETWORK OFF)
    if(NOT WIN32)
        set(SFML_USE_SYSTEM_DEPS ON)
    endif()

    if(HALVREN_DEPS_DIR)
        list(GET _sfml_archives 0 row)
        _sfml_local_archive("${row}")
        FetchContent_Declare(SFML URL ${archive} URL_HASH SHA256=${sha256}
            DOWNLOAD_EXTRACT_TIMESTAMP ON)
    else()
        FetchContent_Declare(SFML URL ${_sfml_release_url} URL_HASH SHA256=${_sfml_release_sha256}
            DOWNLOAD_EXTRACT_TIMESTAMP ON)
    endif()
    FetchContent_GetProperties(SFML)
    if(NOT sfml_POPULATED)
        FetchContent_Populate(SFML)
    endif()

    if(WIN32 AND HALVREN_DEPS_DIR)
        list(SUBLIST _sfml_archives 1 -1 dependencies)
        foreach(row ${dependencies})
            _sfml_local_archive("${row}")
            set(source ${FETCHCONTENT_BASE_DIR}/${name}-archive)
            string(TOUPPER ${name} upper)
            FetchContent_Populate(${name}_archive URL ${archive} URL_HASH SHA256=${sha256}
                DOWNLOAD_EXTRACT_TIMESTAMP ON SOURCE_DIR ${source}
                SUBBUILD_DIR ${FETCHCONTENT_BASE_DIR}/${name}-archive-subbuild
                BINARY_DIR ${FETCHCONTENT_BASE_DIR}/${name}-archive-build)
            # SFML patches what it fetches; a source folder given to it is taken as it is.
            if(NOT EXISTS ${source}/.patched)
                execute_process(COMMAND ${CMAKE_COMMAND} -D${upper}_DIR=${source}
                    -P ${sfml_SOURCE_DIR}/tools/${patch}.cmake COMMAND_ERROR_IS_FATAL ANY)
                file(TOUCH ${source}/.patched)
            endif()
            set(FETCHCONTENT_SOURCE_DIR_${upper} ${source})
        endforeach()
    endif()
    # SFML's headers are a system library's: the game's warnings do not reach into them.
    set(options ${ARGN})
    if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.25)
        list(APPEND options SYSTEM)
    endif()
    add_subdirectory(${sfml_SOURCE_DIR} ${sfml_BINARY_DIR} ${options})
endfunction()

# Runs at install time (install(CODE) in CMakeLists.txt), when the final prefix is known:
# writes the files that name installed paths, and links the data to the system's font.
# CMAKE_INSTALL_PREFIX is the final prefix; DESTDIR, when set, is the staging root.
set(_prefix "${CMAKE_INSTALL_PREFIX}")
string(MD5 _key "$ENV{DESTDIR}|${_prefix}")
set(_work "${HALVREN_WORK_DIR}/${_key}")
file(MAKE_DIRECTORY "${_work}")

set(HALVREN_LAUNCHER "${_prefix}/${HALVREN_INSTALL_GAMES_BINDIR}/halvren")
set(HALVREN_DATA_DIR "${_prefix}/${HALVREN_INSTALL_GAMES_DATADIR}")
set(HALVREN_DOC_DIR "${_prefix}/${HALVREN_INSTALL_DOCDIR}")
# The dates, from the packages' time (string(TIMESTAMP) reads SOURCE_DATE_EPOCH); CMake
# formats them in the C locale, so the day and month names are English.
include("${HALVREN_SOURCE_DIR}/SourceDateEpoch.cmake")
string(TIMESTAMP HALVREN_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP HALVREN_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)

# The licence in Debian's copyright format: its text from the permission notice on, every line
# indented and a blank line written as " ." (the copyright holder is HALVREN_COPYRIGHT).
file(READ "${HALVREN_PROJECT_DIR}/LICENSE" _licence)
string(REGEX REPLACE "^.*\n(Permission )" "\\1" _licence "${_licence}")
string(STRIP "${_licence}" _licence)
string(REPLACE "\n\n" "\n.\n" _licence "${_licence}")
string(REPLACE "\n" "\n " HALVREN_LICENSE_TEXT "${_licence}")

# The template's path is relative to packaging/, or absolute.
function(halvren_install_text template name destination)
    get_filename_component(template "${template}" ABSOLUTE BASE_DIR "${HALVREN_SOURCE_DIR}")
    set(_file "${_work}/${name}")
    if(name MATCHES "^(.*)\\.gz$")
        # Maximum compression and no time stamp, so the same sources give the same bytes.
        configure_file("${template}" "${_work}/${CMAKE_MATCH_1}" @ONLY)
        execute_process(COMMAND gzip -9 -n -c "${_work}/${CMAKE_MATCH_1}"
            OUTPUT_FILE "${_file}" COMMAND_ERROR_IS_FATAL ANY)
    else()
        configure_file("${template}" "${_file}" @ONLY)
    endif()
    file(INSTALL DESTINATION "${_prefix}/${destination}" TYPE FILE FILES "${_file}"
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    # file(INSTALL) lists the file in the install manifest of this function's scope only.
    set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

halvren_install_text(halvren.desktop.in ${HALVREN_APP_ID}.desktop
    ${HALVREN_INSTALL_DATADIR}/applications)
halvren_install_text(halvren.6.in halvren.6.gz ${HALVREN_INSTALL_MANDIR}/man6)
halvren_install_text(changelog.in changelog.gz ${HALVREN_INSTALL_DOCDIR})
halvren_install_text(copyright.in copyright ${HALVREN_INSTALL_DOCDIR})
halvren_install_text("${HALVREN_METAINFO_TEMPLATE}" ${HALVREN_APP_ID}.metainfo.xml
    ${HALVREN_INSTALL_DATADIR}/metainfo)

# The font is the system's (fonts-dejavu-core on Debian), never a copy. Policy: a link within
# one top-level directory is relative, a link across top-level directories absolute.
string(REGEX MATCH "^/[^/]*" _font_top "${HALVREN_FONT}")
string(REGEX MATCH "^/[^/]*" _data_top "${HALVREN_DATA_DIR}")
if(_font_top STREQUAL _data_top)
    file(RELATIVE_PATH _font_target "${HALVREN_DATA_DIR}" "${HALVREN_FONT}")
else()
    set(_font_target "${HALVREN_FONT}")
endif()
set(_font_link "$ENV{DESTDIR}${HALVREN_DATA_DIR}/cor-font.ttf")
message(STATUS "Installing: ${_font_link} -> ${_font_target}")
file(REMOVE "${_font_link}")
file(CREATE_LINK "${_font_target}" "${_font_link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_font_link}")

# Run by CPack on the packages it has made. Its DEB generator gives the .deb's own members
# (debian-binary, control.tar.gz, data.tar.gz) the modes the builder's umask gave the files it
# wrote them from, and no setting changes that; here they get 0644, as dpkg-deb writes them.
foreach(_package ${CPACK_PACKAGE_FILES})
    if(NOT _package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${_package}" _end)
    set(_header 8)  # after the "!<arch>\n" signature
    while(_header LESS _end)
        # A member's header, in ASCII: name (16), time (12), owner (6), group (6), mode (8),
        # size (10), "`\n"; the member's bytes follow, padded to an even length.
        math(EXPR _mode_at "${_header} + 40")
        math(EXPR _size_at "${_header} + 48")
        file(READ "${_package}" _size OFFSET ${_size_at} LIMIT 10)
        string(STRIP "${_size}" _size)
        execute_process(COMMAND printf "%-8s" 100644
            COMMAND dd "of=${_package}" bs=1 seek=${_mode_at} conv=notrunc status=none
            COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR _header "${_header} + 60 + ${_size} + ${_size} % 2")
    endwhile()
endforeach()

# Run by CPack between the install into its staging tree and the archive. The directories the
# install made for the destinations have the modes the builder's umask gave them; a package
# gives every directory 0755.
file(GLOB_RECURSE _entries LIST_DIRECTORIES true "${CPACK_TOPLEVEL_DIRECTORY}/*")
set(_directories)
foreach(_entry ${_entries})
    if(IS_DIRECTORY "${_entry}" AND NOT IS_SYMLINK "${_entry}")
        list(APPEND _directories "${_entry}")
    endif()
endforeach()
file(CHMOD ${_directories} DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

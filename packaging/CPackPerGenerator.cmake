# Read by CPack once per generator, before it installs the project into its staging tree.

if(CPACK_GENERATOR STREQUAL "DEB")
    # Install through DESTDIR with the real prefix, so that the files written at install time
    # (InstallPathFiles.cmake) name /usr paths rather than the staging tree.
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /usr)
endif()

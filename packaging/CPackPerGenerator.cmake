# Read by CPack once per generator, before it installs the project into its staging tree.

if(CPACK_GENERATOR STREQUAL "DEB")
    # Install through DESTDIR with the real prefix, so that the files written at install time
    # (InstallPathFiles.cmake) name /usr paths rather than the staging tree.
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /usr)
endif()

# Every package of one commit is the same file: the archives stamp their members with
# SOURCE_DATE_EPOCH, and a zip, which keeps local times, is made in UTC.
set(HALVREN_PROJECT_DIR "${CPACK_HALVREN_PROJECT_DIR}")
include("${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake")
set(ENV{TZ} UTC)

# The Debian package of the Linux programs, made by CPack (scripts/package-linux): what the
# install rules put below the prefix /usr, with the libraries' packages found by
# dpkg-shlibdeps and LAME, which every run needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kestrune)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make MP3 files smaller by re-encoding them with LAME")
# The extended description; CPack puts the summary above it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestrune re-encodes MP3 files one by one with the LAME encoder: at a
constant bit rate of 32 to 256 kbit/s or a variable one of quality 0 to 9,
in mono or stereo, with the tags edited in its list written as ID3v1 and
ID3v2 tags. Whole folders are taken with their subfolders, and the folder
tree can be kept. The source files are only read, never changed.

The package holds the window program (in Russian), kestrune-probe, which
analyses MP3 files for scripts, and kestrune-batch, which re-encodes
without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrune developers <developers@kestrune.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KESTRUNE_DOWNLOAD_SITE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS lame)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian wants of every package: its copyright and its changelog.
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
    ${PROJECT_BINARY_DIR}/changelog @ONLY)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/changelog
    OUTPUT_FILE ${changelog} COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrune)

include(CPack)

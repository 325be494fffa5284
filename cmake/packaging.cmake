# The licence, and the Debian package made by `cpack -G DEB` from an
# installed tree under /usr.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavik RENAME copyright)

set(CPACK_PACKAGE_NAME tavik)
set(CPACK_PACKAGE_VENDOR "The Tavik developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "offline English-Korean dictionary")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavik looks words up in large sorted text dictionaries without loading them\n"
    "into memory. It comes with an English-Korean dictionary, keeps a wordbook\n"
    "and the words searched recently, and has a command-line tool, tavik-dict,\n"
    "that looks words up and imports dictd, StarDict and tab-separated\n"
    "dictionaries.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavik developers")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies worked out from the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface and the bundled dictionary are Korean.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-nanum)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

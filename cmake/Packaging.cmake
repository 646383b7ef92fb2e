# The Debian package: `cpack -G DEB` in the build folder. Everything installs under /usr; the
# libraries the program needs are found by dpkg-shlibdeps, the dictionaries are named here.

set(RR_DEBIAN "${CMAKE_SOURCE_DIR}/resources/debian")
set(RR_DOC share/doc/rivirazare)
install(FILES "${RR_DEBIAN}/copyright" DESTINATION ${RR_DOC})

# Debian wants the changelog and the manual page compressed, reproducibly (no name, no time
# stamp in the header). The package is native: its changelog is changelog.gz.
configure_file("${RR_DEBIAN}/changelog" "${CMAKE_BINARY_DIR}/debian/changelog" @ONLY)
configure_file("${RR_DEBIAN}/rivirazare.1" "${CMAKE_BINARY_DIR}/debian/rivirazare.1" COPYONLY)
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
    set(RR_GZIPPED)
    foreach(name changelog rivirazare.1)
        set(plain "${CMAKE_BINARY_DIR}/debian/${name}")
        add_custom_command(OUTPUT "${plain}.gz" COMMAND "${GZIP_PROGRAM}" -9 -n -f -k "${plain}"
                           DEPENDS "${plain}")
        list(APPEND RR_GZIPPED "${plain}.gz")
    endforeach()
    add_custom_target(debian_files ALL DEPENDS ${RR_GZIPPED})
    install(FILES "${CMAKE_BINARY_DIR}/debian/changelog.gz" DESTINATION ${RR_DOC})
    install(FILES "${CMAKE_BINARY_DIR}/debian/rivirazare.1.gz" DESTINATION share/man/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rivirazare)
set(CPACK_PACKAGE_VENDOR "Corvel SoftWare")
set(CPACK_PACKAGE_CONTACT "Corvel SoftWare <support@corvel-software.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for pages in the Mirvale caret-tag markup")
set(CPACK_PACKAGE_DESCRIPTION
    "Mirvale Rivi Razare is a desktop editor for the pages and messages that
members of the Mirvale WAP site write in the site's caret-tag markup. It
highlights tags while you type, inserts them from menus and small dialogs,
previews messages as HTML and checks spelling in Russian and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-ru, hunspell-en-us")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)

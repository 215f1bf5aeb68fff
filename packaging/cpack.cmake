# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack` in a configured build directory (scripts/package
# does it) writes angoli_<version>_<arch>.deb. The packaging lives with the
# sources, so the package is a native one: its version is the project's, and
# packaging/debian/changelog starts with it.

# What Debian asks of every package besides the program: the copyright file, the
# changelog and the manual pages, the last two compressed with gzip -9n (no name,
# no time stamp, so that two builds give the same bytes).
find_program(ANGOLI_GZIP gzip REQUIRED)
set(ANGOLI_DOCS_DIR ${CMAKE_BINARY_DIR}/packaging-docs)
set(ANGOLI_COMPRESSED_DOCS)
function(angoli_gzip source output)
    get_filename_component(directory ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
        COMMAND sh -c "\"$1\" -9n -c \"$2\" >\"$3\"" sh ${ANGOLI_GZIP} ${source} ${output}
        DEPENDS ${source}
        VERBATIM)
    set(ANGOLI_COMPRESSED_DOCS ${ANGOLI_COMPRESSED_DOCS} ${output} PARENT_SCOPE)
endfunction()
angoli_gzip(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${ANGOLI_DOCS_DIR}/changelog.gz)
angoli_gzip(${CMAKE_CURRENT_LIST_DIR}/man/angoli.6 ${ANGOLI_DOCS_DIR}/man/angoli.6.gz)
angoli_gzip(${CMAKE_CURRENT_LIST_DIR}/man/it/angoli.6 ${ANGOLI_DOCS_DIR}/man/it/angoli.6.gz)
add_custom_target(angoli_docs ALL DEPENDS ${ANGOLI_COMPRESSED_DOCS})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${ANGOLI_DOCS_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${ANGOLI_DOCS_DIR}/man/angoli.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ANGOLI_DOCS_DIR}/man/it/angoli.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/it/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME angoli)
set(CPACK_PACKAGE_VENDOR "angoli team")
set(CPACK_PACKAGE_CONTACT "angoli team <team@angoli.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gioco per imparare l'angolo esplementare")
# Debian shows at most 80 columns of each line.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Angoli esplementari: un angolo a caso è disegnato in verde su un disco\n"
    "blu e il giocatore compone con i pulsanti dei valori l'angolo che lo\n"
    "completa a 360 gradi. Il record della classe è condiviso da tutti gli\n"
    "utenti del computer in /var/games/angoli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the Qt 6 and C++ runtime libraries the executable links (libqt6widgets6,
# libqt6gui6, which also carries the X11 platform and the ICO and GIF image plugins, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts that stand in for the window's classic fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
# postinst makes the shared record directory; postrm keeps the records.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst
    ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

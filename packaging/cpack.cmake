# The Debian package: `cpack` in a configured build directory (scripts/package
# does it) writes angoli_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME angoli)
set(CPACK_PACKAGE_VENDOR "angoli team")
set(CPACK_PACKAGE_CONTACT "angoli team <team@angoli.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gioco per imparare l'angolo esplementare")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Angoli esplementari: un angolo a caso è disegnato in verde su un disco blu e\n"
    "il giocatore compone l'angolo che lo completa a 360 gradi con i pulsanti dei valori.\n"
    "Il record della classe è condiviso da tutti gli utenti in /var/games/angoli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the Qt 6 and C++ runtime libraries the executable links (libqt6widgets6,
# libqt6gui6, which also carries the X11 platform and the ICO and GIF image plugins, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts that stand in for the window's classic fonts (see game/look.cpp).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
# postinst makes the shared record directory; postrm keeps the records.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst
    ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` and the Debian package put on the machine: the game, its desktop entry,
# its icon in every size and the software-centre description.
include(GNUInstallDirs)
# Debian keeps games in /usr/games (section games).
install(TARGETS angoli RUNTIME DESTINATION games)
# The record helper (platform/posix installs it) is built whenever the game is.
add_dependencies(angoli angoli-records)
set(ANGOLI_APP_ID org.angoli.Angoli)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ANGOLI_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ANGOLI_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../resources/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
include(${CMAKE_CURRENT_LIST_DIR}/cpack.cmake)

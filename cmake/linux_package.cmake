# What the Linux program installs besides itself, as desktops expect: its
# menu entry, its icon in the hicolor theme and its AppStream metadata; and
# the Debian package that `cpack -G DEB` makes of them.
include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the metadata and the icon; the
# program gives it to the desktop too.
set(KALVORO_APP_ID org.kalvoro.KalvoroXP)
target_compile_definitions(kalvoro-xp PRIVATE KALVORO_APP_ID="${KALVORO_APP_ID}")
set(KALVORO_SUMMARY "Arrête, redémarre ou met en veille l'ordinateur à une heure précise")
set(KALVORO_DESCRIPTION
    "Permet d'éteindre, de redémarrer ou de mettre en veille votre ordinateur à une heure précise.")

set(linux_resources ${PROJECT_SOURCE_DIR}/resources/linux)
set(desktop_entry ${PROJECT_BINARY_DIR}/${KALVORO_APP_ID}.desktop)
set(metainfo ${PROJECT_BINARY_DIR}/${KALVORO_APP_ID}.metainfo.xml)
configure_file(${linux_resources}/app.desktop.in ${desktop_entry} @ONLY)
configure_file(${linux_resources}/app.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# scripts/make_artwork.py writes resources/linux/icons/<N>.png, N x N pixels.
file(GLOB icons CONFIGURE_DEPENDS ${linux_resources}/icons/*.png)
foreach(icon IN LISTS icons)
    get_filename_component(size ${icon} NAME_WE)
    install(FILES ${icon}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${KALVORO_APP_ID}.png)
endforeach()

# The package holds what the rules above and the program's own install rule
# put in; its dependencies are those dpkg-shlibdeps finds the program needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvoro-xp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${KALVORO_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION ${KALVORO_DESCRIPTION})
# A placeholder address (example.org is reserved) until the project has one.
set(CPACK_PACKAGE_CONTACT "Kalvoro XP <kalvoro-xp@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)

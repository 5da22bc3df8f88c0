# What the Linux program installs besides itself, as desktops and Debian
# expect: its menu entry, its icon in the hicolor theme, its AppStream
# metadata, its manual page, its copyright and its changelog; and the Debian
# package that `cpack -G DEB` makes of them.
include(GNUInstallDirs)

set(KALVORO_PACKAGE kalvoro-xp)
# A placeholder address (example.org is reserved) until the project has one.
set(KALVORO_CONTACT "Kalvoro XP <kalvoro-xp@example.org>")
# The day version ${PROJECT_VERSION} came out: the metadata's release, the
# changelog's entry and the manual page's date.
set(KALVORO_RELEASE_DATE 2026-12-09)

# One reverse-DNS id names the desktop entry, the metadata and the icon; the
# program gives it to the desktop too.
set(KALVORO_APP_ID org.kalvoro.KalvoroXP)
target_compile_definitions(kalvoro-xp PRIVATE KALVORO_APP_ID="${KALVORO_APP_ID}")
set(KALVORO_SUMMARY "Arrête, redémarre ou met en veille l'ordinateur à une heure précise")
# The description's two paragraphs, folded within Debian's 80 columns: CPack
# keeps the lines as they are. The desktop entry's comment is the first one
# on one line.
set(KALVORO_DESCRIPTION [[
Permet d'éteindre, de redémarrer ou de mettre en veille votre ordinateur à
une heure précise.]])
set(KALVORO_USAGE [[
Saisissez une heure (hh:mm:ss), choisissez Arrêter, Redémarrer ou Mettre en
veille, puis cliquez sur Activer : le programme attend sous la forme d'une
icône dans la zone de notification. À l'heure dite, une petite fenêtre compte
à rebours à partir de 12 avant d'agir ; son bouton Annuler l'interrompt.]])
string(REPLACE "\n" " " KALVORO_COMMENT "${KALVORO_DESCRIPTION}")

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

# Configures resources/linux/<name>.in into the build tree and installs it
# compressed as Debian wants documentation: at gzip's highest level, with no
# file name or time stamp inside, so that every build gives the same bytes.
find_program(KALVORO_GZIP gzip REQUIRED)
function(kalvoro_install_gzipped name destination)
    set(file ${PROJECT_BINARY_DIR}/doc/${name})
    configure_file(${linux_resources}/${name}.in ${file} @ONLY)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND ${KALVORO_GZIP} -9nkf ${file}
        DEPENDS ${file}
        VERBATIM)
    add_custom_target(${name}.gz ALL DEPENDS ${file}.gz)
    install(FILES ${file}.gz DESTINATION ${destination})
endfunction()

# The changelog's date line: RFC 5322, as dpkg reads it.
execute_process(COMMAND date --utc --rfc-email --date ${KALVORO_RELEASE_DATE}
    OUTPUT_VARIABLE KALVORO_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${KALVORO_PACKAGE})
kalvoro_install_gzipped(${KALVORO_PACKAGE}.1 ${CMAKE_INSTALL_MANDIR}/man1)
# A version with no Debian revision makes a native package, whose Debian
# changelog is changelog.gz.
kalvoro_install_gzipped(changelog ${doc_dir})
configure_file(${linux_resources}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright DESTINATION ${doc_dir})

# CPack strips the program (CPACK_STRIP_FILES below); the compiler's
# signature in its .comment section goes too, as in Debian's own packages.
# Install rules run in the order they are given, so this follows the
# program's own.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:kalvoro-xp>\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")

# The package holds what the rules above and the program's own install rule
# put in; its dependencies are those dpkg-shlibdeps finds the program needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KALVORO_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${KALVORO_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION "${KALVORO_DESCRIPTION}\n\n${KALVORO_USAGE}")
set(CPACK_PACKAGE_CONTACT ${KALVORO_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)

# Installation into a prefix (GNUInstallDirs) and the Debian package.
#
# bin/                         veltrix, veltrix-cli, veltrix-chart, veltrix-prize
# share/veltrix/               the shipped data: sample draws, sample settings,
#                              prize rules (found through DataDirectory.h)
# share/applications/          the desktop entry
# share/icons/hicolor/         PNG icons and the scalable SVG
# share/metainfo/              AppStream metadata
# share/man/man1/              a manual page for each program
include(GNUInstallDirs)

set(VELTRIX_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(VELTRIX_APP_ID org.veltrix.Veltrix)

set(veltrix_programs veltrix-cli)
foreach(program veltrix veltrix-chart veltrix-prize)
    if(TARGET ${program})
        list(APPEND veltrix_programs ${program})
    endif()
endforeach()
install(TARGETS ${veltrix_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/veltrix
        PATTERN desktop EXCLUDE)

install(FILES ${VELTRIX_DESKTOP_DIR}/${VELTRIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
    install(FILES ${VELTRIX_DESKTOP_DIR}/icons/veltrix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME veltrix.png)
endforeach()
install(FILES ${VELTRIX_DESKTOP_DIR}/icons/veltrix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(${VELTRIX_DESKTOP_DIR}/${VELTRIX_APP_ID}.metainfo.xml
               ${PROJECT_BINARY_DIR}/desktop/${VELTRIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${VELTRIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, without a time stamp, as Debian wants.
set(veltrix_manpages)
foreach(program veltrix veltrix-cli veltrix-chart veltrix-prize)
    set(page ${PROJECT_BINARY_DIR}/desktop/${program}.1)
    configure_file(${VELTRIX_DESKTOP_DIR}/${program}.1 ${page} @ONLY)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND gzip -9 -n -f -k ${page}
        DEPENDS ${page}
        COMMENT "Compressing ${program}.1")
    list(APPEND veltrix_manpages ${page}.gz)
endforeach()
add_custom_target(veltrix_manpage ALL DEPENDS ${veltrix_manpages})
install(FILES ${veltrix_manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's place for the copyright and the (native package's) changelog.
configure_file(${VELTRIX_DESKTOP_DIR}/changelog ${PROJECT_BINARY_DIR}/desktop/changelog @ONLY)
add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/desktop/changelog.gz
    COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/desktop/changelog
    DEPENDS ${PROJECT_BINARY_DIR}/desktop/changelog)
add_custom_target(veltrix_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/desktop/changelog.gz)
install(FILES ${VELTRIX_DESKTOP_DIR}/copyright ${PROJECT_BINARY_DIR}/desktop/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltrix)

# cpack -G DEB in any build folder: veltrix_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VENDOR "The Veltrix developers")
set(CPACK_PACKAGE_CONTACT "Veltrix developers <veltrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chinese lottery draw history, trend chart and reports")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Veltrix keeps the draw history of eight Chinese lottery games in a local\n"
    "database, brings it up to date from a draw-data server, runs SQL typed or\n"
    "saved, and shows the rows as text and as a trend chart, with analysis\n"
    "reports, CSV export and printing. veltrix-cli runs the same core from\n"
    "scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY veltrix)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Needed at run time without a library link to show it: the CJK fonts the
# result box and the chart draw with, xdg-open for opening the reports, and
# libcurl, loaded when the first download starts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, fonts-arphic-uming, xdg-utils, libcurl4")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://veltrix.example.org/")
set(CPACK_GENERATOR DEB)
include(CPack)

# Installation on freedesktop systems (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS marqueemaster marqueemaster-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/leet.ini
        DESTINATION $<IF:$<BOOL:${WIN32}>,${CMAKE_INSTALL_BINDIR},${CMAKE_INSTALL_DATADIR}/marqueemaster>)

if(UNIX AND NOT APPLE)
    set(data ${CMAKE_CURRENT_SOURCE_DIR}/data)
    configure_file(${data}/${MARQUEE_APP_ID}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${MARQUEE_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${data}/${MARQUEE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${data}/${MARQUEE_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${MARQUEE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${data}/marqueemaster.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${MARQUEE_APP_ID}.svg)

    add_subdirectory(tools/icons)
    set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
    set(icon_pngs)
    foreach(size 16 22 24 32 48 64 128 256)
        list(APPEND icon_pngs ${icon_dir}/${size}x${size}/apps/${MARQUEE_APP_ID}.png)
    endforeach()
    add_custom_command(OUTPUT ${icon_pngs}
        # (a sanitizer build would report the platform plugin's one-time allocations as leaks)
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:marqueemaster-icons> ${icon_dir} ${MARQUEE_APP_ID}
        DEPENDS marqueemaster-icons
        COMMENT "Painting the hicolor icons")
    add_custom_target(marqueemaster-icon-pngs ALL DEPENDS ${icon_pngs})
    install(DIRECTORY ${icon_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

set(CPACK_PACKAGE_NAME marqueemaster)
set(CPACK_PACKAGE_VENDOR "Marqueemaster developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose coloured player-name animations for RtCW")
set(CPACK_PACKAGE_CONTACT "Marqueemaster developers <marqueemaster@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Dependencies from the libraries the binaries actually link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The desktop picks up the new MIME package and desktop entry through dpkg triggers
# of shared-mime-info and desktop-file-utils; suggest them rather than require them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "shared-mime-info, desktop-file-utils")
include(CPack)

# Installation on freedesktop systems (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

# The maintainer is the project with the contact its About window gives.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/src/script/Contact.h contact_lines REGEX "(Mail|WebPage) = QStringLiteral")
foreach(line ${contact_lines})
    string(REGEX REPLACE ".*inline const QString ([A-Za-z]+) = QStringLiteral\\(\"([^\"]+)\"\\).*" "\\1;\\2" pair "${line}")
    list(GET pair 0 name)
    list(GET pair 1 value)
    set(MARQUEE_CONTACT_${name} "${value}")
endforeach()
set(MARQUEE_CONTACT_MAIL ${MARQUEE_CONTACT_Mail})
set(MARQUEE_WEB_PAGE ${MARQUEE_CONTACT_WebPage})
set(MARQUEE_MAINTAINER "Marqueemaster <${MARQUEE_CONTACT_MAIL}>")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/script/Contact.h)

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

    # Manual pages and the package's documentation, compressed as Debian keeps them.
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
    configure_file(${data}/changelog.in ${doc_dir}/changelog @ONLY)
    configure_file(${data}/copyright ${doc_dir}/copyright @ONLY)
    set(compressed ${doc_dir}/changelog.gz)
    add_custom_command(OUTPUT ${doc_dir}/changelog.gz
        COMMAND ${GZIP_PROGRAM} -9nf ${doc_dir}/changelog -c > ${doc_dir}/changelog.gz
        DEPENDS ${doc_dir}/changelog)
    foreach(program marqueemaster marqueemaster-cli)
        configure_file(${data}/man/${program}.1 ${doc_dir}/${program}.1 @ONLY)
        add_custom_command(OUTPUT ${doc_dir}/${program}.1.gz
            COMMAND ${GZIP_PROGRAM} -9nf ${doc_dir}/${program}.1 -c > ${doc_dir}/${program}.1.gz
            DEPENDS ${doc_dir}/${program}.1)
        list(APPEND compressed ${doc_dir}/${program}.1.gz)
        install(FILES ${doc_dir}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    add_custom_target(marqueemaster-docs ALL DEPENDS ${compressed})
    install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marqueemaster)
endif()

set(CPACK_PACKAGE_NAME marqueemaster)
set(CPACK_PACKAGE_VENDOR "Marqueemaster")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose coloured player-name animations for RtCW")
set(CPACK_PACKAGE_DESCRIPTION "Marqueemaster builds name animations for Return to Castle Wolfenstein: an
ordered list of coloured names with their pauses, shown in the game's colours,
played in a preview box and built with an effect wizard. It writes the game
script that plays the animation in the game and reads such scripts back.
marqueemaster-cli does the same work from the command line.")
set(CPACK_PACKAGE_CONTACT "${MARQUEE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MARQUEE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MARQUEE_WEB_PAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A tool for a game, not a game: nothing goes to /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Dependencies from the libraries the binaries actually link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The desktop picks up the new MIME package and desktop entry through dpkg triggers
# of shared-mime-info and desktop-file-utils; suggest them rather than require them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "shared-mime-info, desktop-file-utils")
include(CPack)

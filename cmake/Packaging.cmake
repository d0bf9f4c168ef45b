# Install rules and the Debian package: the two programs, the launcher entry, the icon in the
# hicolor theme, the AppStream metadata, the shipped data file (each user's first copy is made
# from it) and the manual pages of both programs.
include(GNUInstallDirs)

set(PW_APP_ID cz.quorbel.Pagewarden)
set(PW_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS pagewarden pagewarden-log RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program finds this file as ../share/pagewarden/Pagewarden.xml from its own folder.
install(FILES ${CMAKE_SOURCE_DIR}/src/res/Pagewarden.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/pagewarden)
install(FILES ${PW_PACKAGING_DIR}/${PW_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PW_PACKAGING_DIR}/${PW_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${PW_PACKAGING_DIR}/pagewarden.svg
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps RENAME ${PW_APP_ID}.svg)

# The fixed sizes of the theme, rendered from the SVG with Qt's own renderer.
add_executable(render_icon ${PW_PACKAGING_DIR}/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(PW_ICON_PNGS)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${PW_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND render_icon ${PW_PACKAGING_DIR}/pagewarden.svg ${size} ${png}
    DEPENDS render_icon ${PW_PACKAGING_DIR}/pagewarden.svg VERBATIM)
  list(APPEND PW_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages are installed compressed, as Debian keeps them.
set(PW_MAN_PAGES)
foreach(page pagewarden.1 pagewarden-log.1)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PW_PACKAGING_DIR}/${page} ${gz}
    DEPENDS ${PW_PACKAGING_DIR}/${page} VERBATIM)
  list(APPEND PW_MAN_PAGES ${gz})
endforeach()
install(FILES ${PW_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(install-files ALL DEPENDS ${PW_ICON_PNGS} ${PW_MAN_PAGES})

# cpack -G DEB in the build folder builds the package; its dependencies are computed from the
# binaries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME pagewarden)
set(CPACK_PACKAGE_VENDOR Quorbel)
set(CPACK_PACKAGE_CONTACT "Quorbel <pagewarden@quorbel.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "counts printed pages and shows how much ink is left")
set(CPACK_PACKAGE_DESCRIPTION
  "Pagewarden sits in the notification area, watches the print queue of one CUPS printer,\n\
records the pages printed in each print-quality class and shows how much of the ink cartridge\n\
is used up. Its texts are Czech. pagewarden-log reads and appends to the print log from the\n\
command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorbel.cz/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugin at run time, so no binary names it; Debian only recommends it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_GENERATOR DEB)
include(CPack)

# Linux desktop integration and the Debian package.
#   DESTDIR=/tmp/stage cmake --install build/default --prefix /usr
#   scripts/package.sh            (the .deb, into build/package)
# The desktop entry, icons and AppStream metadata share one application id.
include(GNUInstallDirs)

set(CORVANE_APP_ID org.example.Corvane)
set(CORVANE_LINUX_DIR ${PROJECT_SOURCE_DIR}/res/linux)

# corvane-calc's manual page, stamped with the program's version.
configure_file(${CORVANE_LINUX_DIR}/corvane-calc.1.in
  ${PROJECT_BINARY_DIR}/man/corvane-calc.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/man/corvane-calc.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvane RENAME copyright)

if(TARGET corvane)
  find_package(Qt6 REQUIRED COMPONENTS Gui)

  # The 32x32 icon is the window's own artwork (res/icons/app.xpm), written
  # as PNG at build time so the XPM stays its only source.
  add_executable(write_app_icon ${CORVANE_LINUX_DIR}/write_app_icon.cpp)
  target_include_directories(write_app_icon PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(write_app_icon PRIVATE Qt6::Gui)
  set(CORVANE_ICON_PNG ${PROJECT_BINARY_DIR}/icons/${CORVANE_APP_ID}.png)
  add_custom_command(OUTPUT ${CORVANE_ICON_PNG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons
    COMMAND write_app_icon ${CORVANE_ICON_PNG}
    DEPENDS write_app_icon
    COMMENT "Writing the 32x32 application icon from res/icons/app.xpm")
  add_custom_target(corvane_app_icon ALL DEPENDS ${CORVANE_ICON_PNG})

  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${CORVANE_ICON_PNG} DESTINATION ${icons}/32x32/apps)
  install(FILES ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.svg
    DESTINATION ${icons}/scalable/apps)
  install(FILES ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack -G DEB: the libraries the binaries link come from dpkg-shlibdeps; the
# faces that stand in for the dialog fonts and Qt's platform plugins are
# loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Corvane authors")
set(CPACK_PACKAGE_CONTACT "Corvane maintainers <corvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "survey calculator: coordinate forward and inverse computation")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/corvane)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-arphic-uming, fonts-arphic-ukai, fonts-liberation2, qt6-qpa-plugins")
# The summary above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Corvane is a small calculator for engineering surveyors who set out points
on site: from a start point, an azimuth and a distance to the end point
(forward), and from two points to the azimuth and distance between them
(inverse). Angles are packed degrees-minutes-seconds; the window is in
Simplified Chinese.

The package holds the calculator window, corvane, and the command-line
tool corvane-calc for whole set-out lists.")
include(CPack)

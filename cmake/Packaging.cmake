# Linux desktop integration and the Debian package.
#   DESTDIR=/tmp/stage cmake --install build/default --prefix /usr
#   scripts/package.sh            (the .deb, into build/package)
# The desktop entry, icons and AppStream metadata share one application id.
include(GNUInstallDirs)

set(CORVANE_APP_ID org.example.Corvane)
set(CORVANE_LINUX_DIR ${PROJECT_SOURCE_DIR}/res/linux)
set(CORVANE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvane)
set(CORVANE_CONTACT "Corvane maintainers <corvane@example.org>")
set(CORVANE_HOMEPAGE https://example.org/corvane)
# Directories the install creates are 755 whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The release named in the Debian changelog and in the AppStream metadata is
# the project's version, so neither can be forgotten when the version moves.
foreach(file changelog ${CORVANE_APP_ID}.metainfo.xml)
  file(READ ${CORVANE_LINUX_DIR}/${file} text)
  string(REGEX MATCH "corvane \\(([^)]+)\\)|<release version=\"([^\"]+)\"" _ "${text}")
  if(NOT "${CMAKE_MATCH_1}${CMAKE_MATCH_2}" STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "res/linux/${file}: its newest release is "
      "\"${CMAKE_MATCH_1}${CMAKE_MATCH_2}\", the project's version is ${PROJECT_VERSION}")
  endif()
endforeach()

# Installs FILE into DESTINATION compressed as Debian wants it: gzip -9, with
# no name or time inside, so the same text gives the same bytes.
find_program(CORVANE_GZIP gzip REQUIRED)
function(corvane_install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(dir ${PROJECT_BINARY_DIR}/gz)
  add_custom_command(OUTPUT ${dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${dir}/${name}
    COMMAND ${CORVANE_GZIP} -9nf ${dir}/${name}
    DEPENDS ${file}
    VERBATIM)
  add_custom_target(corvane_gz_${name} ALL DEPENDS ${dir}/${name}.gz)
  install(FILES ${dir}/${name}.gz DESTINATION ${destination})
endfunction()

# The manual pages, stamped with the program's version.
foreach(page corvane-calc.1 corvane.1)
  configure_file(${CORVANE_LINUX_DIR}/${page}.in ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
  corvane_install_gzipped(${PROJECT_BINARY_DIR}/man/${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The changelog and the machine-readable copyright file, whose notice and
# licence text are those of LICENSE.
corvane_install_gzipped(${CORVANE_LINUX_DIR}/changelog ${CORVANE_DOC_DIR})
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE notice REGEX "^Copyright \\(c\\) ")
string(REGEX REPLACE "^Copyright \\(c\\) " "" CORVANE_COPYRIGHT "${notice}")
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^[^\n]*\n\n[^\n]*\n\n" "" licence "${licence}")  # title, notice
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
set(CORVANE_LICENSE_TEXT " ${licence}")
configure_file(${CORVANE_LINUX_DIR}/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CORVANE_DOC_DIR})

# A stripped program keeps the .comment and .note sections, which Debian
# drops as well (as dh_strip does).
set(CORVANE_PROGRAMS bin/corvane-calc)
if(TARGET corvane)
  list(APPEND CORVANE_PROGRAMS bin/corvane)
endif()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program ${CORVANE_PROGRAMS})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

if(TARGET corvane)
  find_package(Qt6 REQUIRED COMPONENTS Gui Svg)

  # The icon theme's sizes, written at build time: the small ones are drawn
  # pixel by pixel, the others rendered from the scalable icon.
  set(CORVANE_ICON_SIZES 16 24 32 48 64 128 256)
  set(icon_svg ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.svg)
  set(icon_dir ${PROJECT_BINARY_DIR}/icons)
  add_executable(write_app_icon ${CORVANE_LINUX_DIR}/write_app_icon.cpp)
  target_include_directories(write_app_icon PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(write_app_icon PRIVATE Qt6::Gui Qt6::Svg)
  set(icon_pngs "")
  foreach(size ${CORVANE_ICON_SIZES})
    list(APPEND icon_pngs ${icon_dir}/${size}x${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_pngs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND write_app_icon ${icon_svg} ${icon_dir} ${CORVANE_ICON_SIZES}
    DEPENDS write_app_icon ${icon_svg}
    COMMENT "Writing the application icon at ${CORVANE_ICON_SIZES} pixels")
  add_custom_target(corvane_app_icon ALL DEPENDS ${icon_pngs})

  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  foreach(size ${CORVANE_ICON_SIZES})
    install(FILES ${icon_dir}/${size}x${size}.png
      DESTINATION ${icons}/${size}x${size}/apps RENAME ${CORVANE_APP_ID}.png)
  endforeach()
  install(FILES ${icon_svg} DESTINATION ${icons}/scalable/apps)
  install(FILES ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CORVANE_LINUX_DIR}/${CORVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack -G DEB: the libraries the binaries link come from dpkg-shlibdeps; the
# faces that stand in for the dialog fonts and Qt's Chinese strings are
# loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Corvane authors")
set(CPACK_PACKAGE_CONTACT ${CORVANE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "survey calculator: coordinate forward and inverse computation")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CORVANE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-arphic-uming, fonts-arphic-ukai, fonts-liberation2, qt6-translations-l10n")
# Qt's Wayland plugin, loaded at run time too: with it the calculator is a
# native client of a Wayland desktop, drawn sharp at the desktop's scale;
# without it, it runs through XWayland (docs/install.md, "On a Wayland desktop").
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The summary above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Corvane is a small calculator for engineering surveyors who set out points
on site: from a start point, an azimuth and a distance to the end point
(forward), and from two points to the azimuth and distance between them
(inverse). Angles are packed degrees-minutes-seconds; the window is in
Simplified Chinese.

The package holds the calculator window, corvane, with its setting-out
window that reads a design file and shows, prints and exports the whole
setting-out sheet with a sketch, and the command-line tool corvane-calc for
whole set-out lists.")
include(CPack)

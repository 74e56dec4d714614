#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (mingw-w64) from Debian's own source of the
# Qt installed for the Linux build (qt6-base-dev): Core, Gui, Widgets and
# PrintSupport, shared, with the windows and offscreen platforms and
# the bundled zlib, pcre2, harfbuzz, libpng, freetype and double-conversion.
# The host's Qt tools (moc, rcc, uic) are Debian's. Nothing is downloaded
# from elsewhere: `apt-get source` through a private deb-src list for the
# machine's own Debian mirror, kept apart from the system's apt lists.
#
# What the build takes, and why:
#   - INPUT_opengl=no: with FEATURE_opengl=OFF dynamic GL stays on and
#     qwindowswindow.cpp fails to compile;
#   - direct2d at its default (on): off, Qt6PrintSupport fails to link, as
#     it calls the DirectWrite font engine's createHFONT, which Gui exports
#     only with it;
#   - src/3rdparty/wintab put back (Debian's tarball leaves it out for its
#     licence): wine's wintab.h and pktdef.h (LGPL, libwine-dev) serve, with
#     <windows.h> included first, API defined as WINAPI, as Qt's own do, and
#     wine's WINELIB_NAME_AW and DECL_WINELIB_TYPE_AW (the A or W name);
#   - direct2d1_1 off: it only adds the direct2d platform plugin, a second
#     copy of the windows platform that nothing here loads;
#   - sql, network, dbus, vulkan, concurrent, xml, testlib, the jpeg, gif and
#     ico plugins, markdown, QMovie, the print preview, the undo framework,
#     QMdiArea, the graphics view and its effects, QDockWidget, QToolBox,
#     QWizard, the colour, font, progress and error dialogs, and the
#     other widgets nothing here shows (QFontComboBox, QSplashScreen,
#     QColumnView, QDataWidgetMapper, QKeySequenceEdit, QLCDNumber, QDial,
#     QCommandLinkButton) off: every file left out shortens the build.
#     QPicture, QCalendarWidget and QInputDialog stay: QPrinter needs the
#     first, QPrintDialog (through QDateTimeEdit) the second, and the
#     windowsvista style includes the third's header whatever the features.
#
# Built once per machine into $CORVANE_WINDOWS_CACHE (/var/cache/corvane-windows
# as root, else ~/.cache/corvane-windows) and reused; prints the folder to give
# the windows preset as CORVANE_WINDOWS_QT. The folder is named by the Qt
# version and by what makes the build (the options below, the tablet headers
# and the toolchain file), so a change of options builds Qt anew rather than
# reuse one built otherwise. About 28 minutes on two cores with nothing
# cached (919 build steps).
#
# The build itself goes on in the cache too (qt-build-<version>-<recipe>,
# or $CORVANE_QT_WORK, which is kept): a build cut off (CI ends it where it
# would run past its time) goes on from where it got to at the next call,
# and the folder goes once Qt is installed.
# Usage: scripts/windows-qt.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then default_cache=/var/cache/corvane-windows
else default_cache=${XDG_CACHE_HOME:-$HOME/.cache}/corvane-windows; fi
cache=${CORVANE_WINDOWS_CACHE:-$default_cache}
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_C_COMPILER_LAUNCHER=ccache
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_direct2d1_1=OFF
  -DFEATURE_testlib=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF
  -DFEATURE_printpreviewwidget=OFF -DFEATURE_printpreviewdialog=OFF
  -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF
  -DFEATURE_undoview=OFF -DFEATURE_mdiarea=OFF -DFEATURE_graphicsview=OFF
  -DFEATURE_graphicseffect=OFF -DFEATURE_dockwidget=OFF -DFEATURE_toolbox=OFF
  -DFEATURE_wizard=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF
  -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF
  -DFEATURE_fontcombobox=OFF -DFEATURE_splashscreen=OFF -DFEATURE_columnview=OFF
  -DFEATURE_datawidgetmapper=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_lcdnumber=OFF
  -DFEATURE_dial=OFF -DFEATURE_commandlinkbutton=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_freetype=ON
)

# The tablet headers Qt's windows platform includes: wine's, as Qt's own.
wintab_header() {
  local wine_header
  wine_header=$(find /usr/include/wine -name "$1" | head -1)
  [ -n "$wine_header" ] || { echo "windows-qt: no $1 in libwine-dev" >&2; exit 1; }
  echo "/* wine's $1 (LGPL), as Qt's windows platform includes it. */"
  echo "#include <windows.h>"
  echo "#ifndef API"
  echo "#define API WINAPI"
  echo "#endif"
  # wine's own spelling of the A and W names, which mingw-w64 lacks.
  echo "#ifndef WINELIB_NAME_AW"
  echo "#ifdef UNICODE"
  echo "#define WINELIB_NAME_AW(name) name##W"
  echo "#else"
  echo "#define WINELIB_NAME_AW(name) name##A"
  echo "#endif"
  echo "#endif"
  echo "#ifndef DECL_WINELIB_TYPE_AW"
  echo "#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;"
  echo "#endif"
  cat "$wine_header"
}

recipe=$({ printf '%s\n' "${qt_options[@]}"; declare -f wintab_header; cat cmake/WindowsToolchain.cmake; } |
  sha256sum | cut -c1-12)
prefix=$cache/qt-$version-$recipe
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi
scripts/deps.sh g++-mingw-w64-x86-64-posix wine wine64 libwine-dev dpkg-dev ccache >&2
work=${CORVANE_QT_WORK:-$cache/qt-build-$version-$recipe}
mkdir -p "$work"
# The source is used only once unpacked whole: a cut-off unpacking starts again.
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
if [ -z "$source_dir" ] || [ ! -f "$work/.unpacked" ]; then
  rm -rf "$work"/qt6-base-*/
  source_dir=$(scripts/debian-source.sh "qt6-base=$version" "$work")
  touch "$work/.unpacked"
fi

wintab=$source_dir/src/3rdparty/wintab
mkdir -p "$wintab"
# Written only where they differ, so that a build going on rebuilds nothing for them.
for header in wintab.h pktdef.h; do
  wintab_header "$header" >"$wintab/$header.new"
  if cmp -s "$wintab/$header.new" "$wintab/$header"; then rm "$wintab/$header.new"
  else mv "$wintab/$header.new" "$wintab/$header"; fi
done

cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/WindowsToolchain.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${qt_options[@]}" >&2
cmake --build "$work/build" >&2
rm -rf "$prefix"
cmake --install "$work/build" >&2
touch "$prefix/.built"
# The build (900 MB), and a Qt built or begun otherwise, are of no more use.
find "$cache" -mindepth 1 -maxdepth 1 \( -name 'qt-[0-9]*' ! -name "$(basename "$prefix")" -o \
  -name 'qt-build-*' \) -exec rm -rf {} +
echo "$prefix"

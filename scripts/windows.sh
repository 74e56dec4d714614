#!/usr/bin/env bash
# Builds Corvane for 64-bit Windows 10 and 11 here, with Debian's mingw-w64,
# and ships it, into build/windows-app/ship/:
#   corvane-VERSION-win64.zip    a portable folder: corvane.exe (the
#                                calculator and its windows), corvane-calc.exe,
#                                the Qt libraries with the platform, style and
#                                Chinese texts, the mingw runtime, README.txt
#                                and LICENSE.txt; unpacked anywhere, it runs;
#   corvane-VERSION-setup.exe    the same installed (NSIS, in Chinese) for the
#                                user alone or for everyone, with Start-menu
#                                entries and an uninstaller.
# Qt and GeographicLib for Windows are built from Debian's source once per
# machine (scripts/windows-qt.sh, scripts/windows-libs.sh); the application
# icon is the Linux build's sizes (build/default) in one .ico.
# Usage: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-x86-64-posix ccache nsis zip icoutils
prefix=$(scripts/windows-libs.sh)
qt=$(scripts/windows-qt.sh)
version=$(sed -n 's/^  VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)
out=$PWD/build/windows-app
ship=$out/ship
mkdir -p "$out" "$ship"

# The icon: 16 and 24 drawn pixel by pixel, the rest from the scalable one;
# 256 stored as PNG, as Windows Vista and later read it.
[ -f build/default/build.ninja ] || cmake --preset default >/dev/null
cmake --build --preset default --target corvane_app_icon >/dev/null
icons=build/default/icons
icotool -c -o "$out/corvane.ico" "$icons"/{16x16,24x24,32x32,48x48,64x64}.png \
  -r "$icons/256x256.png"

CORVANE_WINDOWS_QT=$qt cmake --preset windows-app -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DCORVANE_WINDOWS_PREFIX="$prefix" -DCORVANE_WINDOWS_QT="$qt" \
  -DCORVANE_WINDOWS_ICON="$out/corvane.ico" >/dev/null
cmake --build --preset windows-app

# The portable folder.
name=corvane-$version
folder=$ship/$name
rm -rf "$folder"
mkdir -p "$folder/plugins/platforms" "$folder/plugins/styles" "$folder/translations"
cp "$out/app/corvane.exe" "$out/cli/corvane-calc.exe" "$folder/"
for library in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
  cp "$qt/bin/$library.dll" "$folder/"
done
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" \
  "$folder/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/plugins/styles/"
# Qt's own texts in Chinese (the message boxes' buttons, the edit menus):
# the same .qm files as the Linux package's.
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$folder/translations/"
# The C++ runtime Qt's libraries were built with (the programs carry theirs).
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$gcc_dir/libgcc_s_seh-1.dll" "$gcc_dir/libstdc++-6.dll" \
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$folder/"
x86_64-w64-mingw32-strip --strip-unneeded "$folder"/*.dll "$folder"/plugins/*/*.dll
printf '[Paths]\r\nPrefix = .\r\nPlugins = plugins\r\nTranslations = translations\r\n' \
  >"$folder/qt.conf"
sed 's/$/\r/' README.md >"$folder/README.txt"
sed 's/$/\r/' LICENSE >"$folder/LICENSE.txt"

rm -f "$ship/$name-win64.zip"
(cd "$ship" && zip -qr9 "$name-win64.zip" "$name")

# The installer: the folder's files, each installed and removed by name.
files=$out/files.nsh
windows_path() { sed 's|^\./||; s|^\.$||; s|/|\\|g'; }  # ./plugins/styles -> plugins\styles
{
  echo '!macro InstallFiles'
  (cd "$folder" && find . -type d | sort) | while read -r dir; do
    echo "  SetOutPath \"\$INSTDIR\\$(echo "$dir" | windows_path)\""
    find "$folder/$dir" -maxdepth 1 -type f | sort | while read -r file; do
      echo "  File \"$file\""
    done
  done
  echo '!macroend'
  echo '!macro RemoveFiles'
  (cd "$folder" && find . -type f | sort) | while read -r file; do
    echo "  Delete \"\$INSTDIR\\$(echo "$file" | windows_path)\""
  done
  (cd "$folder" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    echo "  RMDir \"\$INSTDIR\\$(echo "$dir" | windows_path)\""
  done
  echo '!macroend'
} >"$files"
copyright=$(grep -m1 '^Copyright' LICENSE)
makensis -V2 -DVERSION="$version" -DCOPYRIGHT="$copyright" -DFILES="$files" -DICON="$out/corvane.ico" \
  -DOUTFILE="$ship/$name-setup.exe" res/windows/corvane.nsi
ls -l "$ship/$name-win64.zip" "$ship/$name-setup.exe"

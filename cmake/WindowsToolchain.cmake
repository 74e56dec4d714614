# Builds 64-bit Windows programs on Debian with its mingw-w64 cross compilers
# (g++-mingw-w64-x86-64-posix: the -posix ones, whose std::thread is
# winpthreads) and runs what the build and the tests run under wine.
#
# Libraries, headers and packages are looked for only under the mingw-w64
# root, CORVANE_WINDOWS_PREFIX (where scripts/windows-libs.sh installs the
# libraries it builds from Debian's source) and CORVANE_WINDOWS_QT (Qt, from
# scripts/windows-qt.sh); programs the build runs (ninja, ccache, Qt's moc
# and rcc, Debian's) come from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

set(CORVANE_WINDOWS_PREFIX "$ENV{CORVANE_WINDOWS_PREFIX}" CACHE PATH
  "Where the Windows builds of the libraries the program needs are installed")
set(CORVANE_WINDOWS_QT "$ENV{CORVANE_WINDOWS_QT}" CACHE PATH
  "Where Qt for Windows is installed (scripts/windows-qt.sh), for the windows")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} ${CORVANE_WINDOWS_PREFIX} ${CORVANE_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry their C and C++ runtimes and winpthreads inside: a
# corvane-calc.exe runs on its own, without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs (and gtest_discover_tests listing them) run under wine,
# without its messages and without its debugger (which would wait on a
# crashed program instead of letting it end). WINEPREFIX: wine's own
# default unless set (scripts/windows-check.sh keeps one in the build folder).
find_program(CORVANE_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR
  env WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d ${CORVANE_WINE})

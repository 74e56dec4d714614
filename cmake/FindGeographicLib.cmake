# GeographicLib, the transverse Mercator projection the coordinate
# transformations are built on, as the imported target
# GeographicLib::GeographicLib.
#
# GeographicLib's own CMake build installs a config file that makes this
# target (2.0 and later), and that is used where it is found (a build from
# source, a cross-built sysroot). Debian 12's libgeographiclib-dev has no
# config file, only a find module of its own outside CMake's search path that
# makes no target; there the header and the library are found by name.
find_package(GeographicLib CONFIG QUIET)
if(TARGET GeographicLib::GeographicLib)
  set(GeographicLib_FOUND TRUE)
  return()
endif()

find_path(GeographicLib_INCLUDE_DIR GeographicLib/TransverseMercator.hpp)
find_library(GeographicLib_LIBRARY NAMES GeographicLib Geographic)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GeographicLib
  REQUIRED_VARS GeographicLib_LIBRARY GeographicLib_INCLUDE_DIR)
mark_as_advanced(GeographicLib_INCLUDE_DIR GeographicLib_LIBRARY)
if(GeographicLib_FOUND)
  add_library(GeographicLib::GeographicLib UNKNOWN IMPORTED)
  set_target_properties(GeographicLib::GeographicLib PROPERTIES
    IMPORTED_LOCATION ${GeographicLib_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${GeographicLib_INCLUDE_DIR})
endif()

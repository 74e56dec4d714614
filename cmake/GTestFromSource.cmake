# GoogleTest built from Debian's source (googletest, /usr/src/googletest) for
# a build whose target has no GoogleTest packaged. Its own build names them
# as find_package(GTest) does: GTest::gtest and GTest::gtest_main.
set(CORVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source")
if(NOT EXISTS ${CORVANE_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest source in ${CORVANE_GTEST_SOURCE} (Debian's googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${CORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Listing a suite's tests runs it under the emulator (wine), whose start
# can take longer than the five seconds GoogleTest waits by default.
include(GoogleTest)
function(gtest_discover_tests)
  _gtest_discover_tests(${ARGV} DISCOVERY_TIMEOUT 120)
endfunction()

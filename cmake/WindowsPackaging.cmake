# The Windows programs as scripts/windows.sh ships them: corvane.exe a
# Windows (not console) program with the application icon and the version
# record Explorer shows; both programs installed into one folder, bin/,
# with the Qt libraries and plugins scripts/windows.sh puts beside them.
#
# CORVANE_WINDOWS_ICON: the icon file (.ico) scripts/windows.sh writes from
# the Linux build's icon sizes; without it the program has Windows' own.
set(CORVANE_WINDOWS_ICON "" CACHE FILEPATH "The application icon (.ico) for corvane.exe")
if(TARGET corvane)
  set_target_properties(corvane PROPERTIES WIN32_EXECUTABLE ON)
  string(REPLACE "." "," CORVANE_FILE_VERSION "${PROJECT_VERSION}")
  if(CORVANE_WINDOWS_ICON)
    set(CORVANE_ICON_LINE "IDI_APP ICON \"${CORVANE_WINDOWS_ICON}\"")
  else()
    set(CORVANE_ICON_LINE "")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/res/windows/corvane.rc.in
    ${PROJECT_BINARY_DIR}/corvane.rc @ONLY)
  enable_language(RC)
  target_sources(corvane PRIVATE ${PROJECT_BINARY_DIR}/corvane.rc)
endif()

# The programs' Windows side, included by ui/CMakeLists.txt in a build for Windows: both
# programs are GUI-subsystem programs with the icon and a version resource, and the Qt they
# link (scripts/build-windows-qt.sh) is put beside them in bin/ (DLLs, the platform and
# style plugins), in the build for the tests and in the installed tree for the installer.
enable_language(RC)

# The icon: the SVG of the desktop files rendered at the sizes Windows asks for, in one .ico.
find_program(BREVANE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(BREVANE_ICOTOOL icotool REQUIRED)
set(BREVANE_ICO ${CMAKE_CURRENT_BINARY_DIR}/Brevane.ico)
set(icon_svg ${PROJECT_SOURCE_DIR}/packaging/org.brevane.Brevane.svg)
set(icon_pngs)
set(icon_commands)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icon-${size}.png)
  list(APPEND icon_pngs ${png})
  list(APPEND icon_commands COMMAND ${BREVANE_RSVG_CONVERT} -w ${size} -h ${size} ${icon_svg} -o ${png})
endforeach()
add_custom_command(OUTPUT ${BREVANE_ICO} ${icon_commands}
  # The largest size stays PNG inside the .ico, as Windows expects it.
  COMMAND ${BREVANE_ICOTOOL} -c -o ${BREVANE_ICO} --raw=${CMAKE_CURRENT_BINARY_DIR}/icon-256.png
          ${CMAKE_CURRENT_BINARY_DIR}/icon-16.png ${CMAKE_CURRENT_BINARY_DIR}/icon-24.png
          ${CMAKE_CURRENT_BINARY_DIR}/icon-32.png ${CMAKE_CURRENT_BINARY_DIR}/icon-48.png
          ${CMAKE_CURRENT_BINARY_DIR}/icon-64.png
  DEPENDS ${icon_svg}
  BYPRODUCTS ${icon_pngs}
  COMMENT "Making the program's icon")
add_custom_target(brevane_windows_icon DEPENDS ${BREVANE_ICO})
set(BREVANE_ICO ${BREVANE_ICO} PARENT_SCOPE)

foreach(program Brevane Brevane-FrontOffice)
  set(BREVANE_RC_NAME ${program})
  set(BREVANE_RC_FILE ${program}.exe)
  if(program STREQUAL "Brevane")
    set(BREVANE_RC_DESCRIPTION "Brevane, the salary cap and contract manager")
  else()
    set(BREVANE_RC_DESCRIPTION "Brevane for the front office")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/Brevane.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${BREVANE_ICO})
  target_sources(${program} PRIVATE ${rc})
  add_dependencies(${program} brevane_windows_icon)
  set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
endforeach()

# Qt beside the programs: Windows looks for DLLs in the program's folder, and Qt for its
# plugins in subfolders of it. The test library and the offscreen platform serve the tests
# only and are not installed.
function(brevane_qt_file target)
  get_target_property(location ${target} IMPORTED_LOCATION_RELEASE)
  if(NOT location)
    get_target_property(location ${target} IMPORTED_LOCATION)
  endif()
  if(NOT location OR NOT EXISTS "${location}")
    message(FATAL_ERROR "${target} of the Qt for Windows has no file")
  endif()
  set(location ${location} PARENT_SCOPE)
endfunction()

# The Windows platform plugin draws through Qt's OpenGL library when it is asked to.
find_package(Qt6 REQUIRED COMPONENTS OpenGL Test)
foreach(target Qt6::Core Qt6::Gui Qt6::Widgets Qt6::OpenGL Qt6::Test)
  brevane_qt_file(${target})
  file(COPY ${location} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  if(NOT target STREQUAL "Qt6::Test")
    install(FILES ${location} DESTINATION bin)
  endif()
endforeach()
foreach(plugin platforms:QWindowsIntegrationPlugin platforms:QOffscreenIntegrationPlugin
               styles:QWindowsVistaStylePlugin)
  string(REPLACE ":" ";" parts ${plugin})
  list(GET parts 0 folder)
  list(GET parts 1 target)
  brevane_qt_file(Qt6::${target})
  file(COPY ${location} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
  if(NOT target STREQUAL "QOffscreenIntegrationPlugin")
    install(FILES ${location} DESTINATION bin/${folder})
  endif()
endforeach()

# cpack in a build for Windows: a zip of the installed programs and an installer made with
# NSIS (makensis from Debian's nsis package), with Start-menu entries for both programs and
# an uninstaller. Only the programs and what they load are packed; the library's headers and
# CMake files (component Development) are not.
set(CPACK_GENERATOR "NSIS;ZIP")
unset(CPACK_PACKAGING_INSTALL_PREFIX)
set(CPACK_PACKAGE_FILE_NAME Brevane-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Brevane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Brevane)
# The installer shows the licence on a page of its own before anything is installed.
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_EXECUTABLES Brevane Brevane Brevane-FrontOffice "Brevane Front Office")
set(CPACK_COMPONENTS_ALL Unspecified)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackPerGenerator.cmake)
set(CPACK_COMPONENT_UNSPECIFIED_DISPLAY_NAME Brevane)
set(CPACK_COMPONENT_UNSPECIFIED_REQUIRED ON)

set(CPACK_NSIS_PACKAGE_NAME Brevane)
set(CPACK_NSIS_DISPLAY_NAME "Brevane ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY bin)
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\Brevane.exe")
set(CPACK_NSIS_MUI_ICON ${BREVANE_ICO})
set(CPACK_NSIS_MUI_UNIICON ${BREVANE_ICO})
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_CONTACT "${CPACK_PACKAGE_CONTACT}")

# CMake's installer template, changed in three places: the installer is a 64-bit program,
# like the programs it installs (and so runs where only 64-bit programs run); it asks for
# the rights the user has ("highest": an administrator installs for all users into Program
# Files, anyone else for themselves, where the template always asks for administrator
# rights); and a user's own installation goes where Windows keeps per-user programs rather
# than into the Documents folder.
set(template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${template} nsis)
foreach(change "  !define VERSION|  Target amd64-unicode\n  !define VERSION"
               "RequestExecutionLevel admin|RequestExecutionLevel highest"
               "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@|$LOCALAPPDATA\\Programs\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
  string(REPLACE "|" ";" change "${change}")
  list(GET change 0 from)
  list(GET change 1 to)
  string(FIND "${nsis}" "${from}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template (${template}) has no '${from}' to change")
  endif()
  string(REPLACE "${from}" "${to}" nsis "${nsis}")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${nsis}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)

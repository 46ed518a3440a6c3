# The Debian packages of the Linux build (cpack -G DEB), one per install component:
#   libtolvikN     (Library)      the shared library, with its shlibs file and an ldconfig
#                                 trigger (N: the soname's version);
#   libtolvik-dev  (Development)  the headers, the libTolvik.so link and the CMake package;
#   brevane        (Unspecified, the install rules without a component)
#                                 the three programs, their manual pages and desktop files;
# and, from a build with debug information, a -dbgsym package beside each package with
# binaries, holding the debug symbols taken out of them.
# brevane depends on libtolvikN as dpkg-shlibdeps computes it from the library's shlibs
# file. Each package carries the copyright file and the changelog of this folder.
# Included from the top-level CMakeLists.txt on Linux only.
set(DEB_DIR ${CMAKE_CURRENT_LIST_DIR})
set(DEB_BINARY_DIR ${CMAKE_BINARY_DIR}/packaging/deb)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libtolvik${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libtolvik-dev)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME brevane)

# The changelog's latest entry names the version being packaged.
file(STRINGS ${DEB_DIR}/changelog DEB_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT DEB_CHANGELOG_TOP MATCHES "^brevane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/deb/changelog has no entry for version ${PROJECT_VERSION} on top: "
                      "add one for the packages of this version")
endif()

find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${DEB_BINARY_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${DEB_DIR}/changelog ${DEB_BINARY_DIR}/changelog
  COMMAND ${GZIP_PROGRAM} -9n -f ${DEB_BINARY_DIR}/changelog
  DEPENDS ${DEB_DIR}/changelog
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
foreach(component Library Development Unspecified)
  string(TOUPPER ${component} COMPONENT)
  install(FILES ${DEB_DIR}/copyright ${DEB_BINARY_DIR}/changelog.gz
    DESTINATION share/doc/${CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME} COMPONENT ${component})
endforeach()

# Manual pages, written from the programs' own --help when the build can run them (not when
# cross-compiling, nor in the instrumented builds, which make no packages).
if(NOT CMAKE_CROSSCOMPILING AND NOT BREVANE_SANITIZE AND NOT BREVANE_COVERAGE)
  set(DEB_MAN_PAGES)
  function(deb_man_page target summary description see_also)
    set(page ${DEB_BINARY_DIR}/man/${target}.1)
    set(description_arg)
    if(description)
      set(description_arg -DDESCRIPTION=${description})
    endif()
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${DEB_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target} -DSUMMARY=${summary}
              ${description_arg} -DVERSION=${PROJECT_VERSION} -DSEE_ALSO=${see_also} -DOUTPUT=${page}
              -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
      COMMAND ${GZIP_PROGRAM} -9n -f ${page}
      DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
      COMMENT "Writing the manual page of ${target}"
      VERBATIM)
    install(FILES ${page}.gz DESTINATION share/man/man1)
    set(DEB_MAN_PAGES ${DEB_MAN_PAGES} ${page}.gz PARENT_SCOPE)
  endfunction()
  deb_man_page(Brevane "salary cap and contract manager for a football simulation league"
    "Brevane opens a league file of an American-football simulation game, lets the manager of one club see every roster, the free agents and the college draft with each player's contract, value and cap charges, and compose contract offers while it shows the chance that the player accepts. The offers are collected with running payroll figures and saved to offer files."
    "Brevane-FrontOffice,brevane-cli")
  deb_man_page(Brevane-FrontOffice "salary cap and contract manager for a league's front office"
    "Brevane-FrontOffice is Brevane for the league's front office: a double-click on a player's CGS sets a new one, and the league options offer Hide Potentials, which masks every club's view of the potential ratings."
    "Brevane,brevane-cli")
  deb_man_page(brevane-cli "sample leagues and reports of a league as JSON or text" ""
    "Brevane,Brevane-FrontOffice")
  add_custom_target(man-pages ALL DEPENDS ${DEB_MAN_PAGES})
endif()

# The library's shlibs file, for its package and for dpkg-shlibdeps when it computes the
# dependencies of brevane: a package-like tree (DEBIAN/shlibs beside usr/lib) where it
# finds libTolvik.so.N and, above it, the package it belongs to.
set(DEB_SHLIBS_ROOT ${DEB_BINARY_DIR}/shlibs-root)
set(DEB_SHLIBS_LINK ${DEB_SHLIBS_ROOT}/usr/lib/libTolvik.so.${PROJECT_VERSION_MAJOR})
configure_file(${DEB_DIR}/shlibs.in ${DEB_SHLIBS_ROOT}/DEBIAN/shlibs @ONLY)
add_custom_command(OUTPUT ${DEB_SHLIBS_LINK}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DEB_SHLIBS_ROOT}/usr/lib
  COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_SONAME_FILE:Tolvik> ${DEB_SHLIBS_LINK}
  DEPENDS Tolvik
  VERBATIM)
add_custom_target(deb-files ALL DEPENDS ${DEB_BINARY_DIR}/changelog.gz ${DEB_SHLIBS_LINK})

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE brevane)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${DEB_SHLIBS_ROOT}/usr/lib)
# Binaries built with debug information (Debug, RelWithDebInfo) give it to -dbgsym packages;
# the others are only stripped.
string(TOUPPER "${CMAKE_BUILD_TYPE}" DEB_BUILD_TYPE)
if(" ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${DEB_BUILD_TYPE}} " MATCHES " -g[a-z0-9]* ")
  set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
else()
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA "${DEB_SHLIBS_ROOT}/DEBIAN/shlibs;${DEB_DIR}/triggers")
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "library for the league files of a football simulation game
Tolvik reads and writes the files of one league of an American-football
simulation game: the league file with its teams and rosters, the player file,
the free-agent and college-draft lists and the statistics file. It works on
copies beside the league's files and replaces each file whole when it writes
back.

This package holds the shared library.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The headers and the CMake package name this very build of the library.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Library)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "library for the league files of a football simulation game (development)
Tolvik reads and writes the files of one league of an American-football
simulation game: the league file with its teams and rosters, the player file,
the free-agent and college-draft lists and the statistics file.

This package holds the headers and the CMake package: find_package(Tolvik)
gives the imported target Tolvik::Tolvik.")

set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "salary cap and contract manager for a football simulation league
Brevane keeps the contract records of a league of an American-football
simulation game beside the league's own files, values every player, shows a
club's payroll and lets the club's manager compose contract offers while it
shows the chance that the player accepts.

The package holds Brevane, Brevane-FrontOffice for the league's front office,
and brevane-cli, which writes sample leagues and prints reports of a league.")

# What CPack leaves short of Debian's rules: ldconfig run by maintainer scripts instead of
# the trigger, and the -dbgsym packages' md5sums and documentation.
set(CPACK_POST_BUILD_SCRIPTS ${DEB_DIR}/FinishPackages.cmake)

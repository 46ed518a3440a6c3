# Run by cpack after it has made the Debian packages (CPACK_POST_BUILD_SCRIPTS), to finish
# what CPack 3.25 leaves short of Debian's rules:
# - a package whose triggers file activates ldconfig gets no maintainer scripts that run
#   it by hand: the postinst and postrm that CPack writes for a library under /usr/lib are
#   taken out (and the build fails if either does more than run ldconfig);
# - a -dbgsym package lists its files in md5sums by their paths in the package (CPack
#   writes where they lay in its staging folder), and its documentation folder is a link
#   to that of the package whose symbols it holds, for the copyright file and changelog.
function(Extract package tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

function(Rebuild tree package level)
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -z${level} --build ${tree} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endfunction()

function(DropLdconfigScripts package)
  set(tree ${package}.tree)
  Extract(${package} ${tree})
  foreach(script postinst postrm)
    if(EXISTS ${tree}/DEBIAN/${script})
      file(STRINGS ${tree}/DEBIAN/${script} lines)
      list(FILTER lines EXCLUDE REGEX "^(#!/bin/sh|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|[ \t]*ldconfig|fi|)$")
      if(lines)
        message(FATAL_ERROR "${package}: its ${script} does more than run ldconfig: ${lines}")
      endif()
      file(REMOVE ${tree}/DEBIAN/${script})
    endif()
  endforeach()
  Rebuild(${tree} ${package} 9)
endfunction()

function(FinishDebugSymbols package)
  set(tree ${package}.tree)
  Extract(${package} ${tree})
  file(STRINGS ${tree}/DEBIAN/control name REGEX "^Package: ")
  file(STRINGS ${tree}/DEBIAN/control owner REGEX "^Depends: ")
  string(REGEX REPLACE "^Package: " "" name "${name}")
  string(REGEX REPLACE "^Depends: ([^ ]+).*" "\\1" owner "${owner}")

  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK ${owner} ${tree}/usr/share/doc/${name} SYMBOLIC)

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/usr/*)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    if(NOT IS_SYMLINK ${tree}/${file})
      file(MD5 ${tree}/${file} sum)
      string(APPEND sums "${sum}  ${file}\n")
    endif()
  endforeach()
  file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
  # Debug symbols are large and rarely fetched: quick compression.
  Rebuild(${tree} ${package} 1)
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.ddeb$")
    FinishDebugSymbols(${package})
  elseif(package MATCHES "\\.deb$")
    execute_process(COMMAND dpkg-deb --info ${package} triggers OUTPUT_VARIABLE triggers ERROR_QUIET)
    if(triggers MATCHES "activate-noawait ldconfig")
      DropLdconfigScripts(${package})
    endif()
  endif()
endforeach()

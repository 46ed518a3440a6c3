# The manual page written from a program's help (cmake/ManPage.cmake), checked on a fake
# program: every command down to the commands of commands gets its entry, descriptions are
# split from their tags however CLI11 lays them out, roff's special characters are escaped,
# and a command whose help fails makes the page fail instead of leaving it short.
#
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P ManPageTest.cmake
set(fake ${SOURCE_DIR}/tests/packaging/fake-help.sh)
set(page ${WORK_DIR}/fake.1)
file(REMOVE ${page})
execute_process(COMMAND ${CMAKE_COMMAND} -DPROGRAM=${fake} -DNAME=fake "-DSUMMARY=a test" -DVERSION=9.8.7
                        -DSEE_ALSO=brevane-cli -DOUTPUT=${page} -P ${SOURCE_DIR}/cmake/ManPage.cmake
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the page was not written: ${errors}")
endif()
file(READ ${page} text)

set(failures "")
function(expect fragment)
  string(FIND "${text}" "${fragment}" at)
  if(at EQUAL -1)
    set(failures "${failures}\n  missing: ${fragment}" PARENT_SCOPE)
  endif()
endfunction()
expect(".TH FAKE 1 \"\" \"fake 9.8.7\" \"User Commands\"\n")
expect(".SH NAME\nfake \\- a test\n")
expect(".SH SYNOPSIS\n.B fake\n[OPTIONS] SUBCOMMAND\n")
expect("fake: writes \\ethings, safely.\n")
expect(".SH COMMANDS\n.SS \"roster [OPTIONS] SUBCOMMAND\"\nRoster commands\n.TP\n\\fB\\-\\-csv\\fR\nPrint CSV\n")
expect(".SS \"roster list [OPTIONS] PATH [FILES...]\"\nList the roster\n")
expect(".TP\n\\fBYEARS\\fR SALARY BONUS TEXT x 3\nTexts typed into the boxes\n")
expect(".SS \"release [OPTIONS] PATH\"\n")
expect(".TP\n\\fB\\-\\-a\\-very\\-long\\-option\\-name\\-here\\fR TEXT\n\\&'Quoted' text; going on here\n")
expect(".SH \"SEE ALSO\"\n.BR brevane\\-cli (1)\n")
# A command's own -h,--help is left out; the program's is kept once.
string(REGEX MATCHALL "Print this help message" helps "${text}")
list(LENGTH helps count)
if(NOT count EQUAL 1)
  set(failures "${failures}\n  the help option is listed ${count} times")
endif()
if(failures)
  message(FATAL_ERROR "${page}:${failures}\n--- page ---\n${text}")
endif()

# A command whose help cannot be read fails the page.
file(WRITE ${WORK_DIR}/broken.sh "#!/bin/sh\n[ \"$1\" = --help ] && printf 'Usage: x CMD\\n\\nSubcommands:\\n  broken  Fails\\n' && exit 0\nexit 3\n")
file(CHMOD ${WORK_DIR}/broken.sh PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -DPROGRAM=${WORK_DIR}/broken.sh -DNAME=broken -DSUMMARY=broken
                        -DVERSION=1 -DOUTPUT=${WORK_DIR}/broken.1 -P ${SOURCE_DIR}/cmake/ManPage.cmake
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(status EQUAL 0 OR EXISTS ${WORK_DIR}/broken.1)
  message(FATAL_ERROR "a command whose help fails still gave a page")
endif()
if(NOT errors MATCHES "broken --help' failed")
  message(FATAL_ERROR "the failure does not name the command: ${errors}")
endif()
message(STATUS "manual page: all checks passed")

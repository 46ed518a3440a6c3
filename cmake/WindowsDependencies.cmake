# What a build for Windows from Debian needs besides the MinGW-w64 compiler. Debian has no
# MinGW packages of our dependencies, so:
# - the header-only nlohmann-json and CLI11 come from the host's packages, with only their
#   own header folders on the include path (the host's /usr/include would shadow MinGW's
#   C library headers);
# - GoogleTest is built from its sources (Debian package googletest);
# - every program and DLL goes to one folder, together with the compiler's runtime DLLs, so
#   that Windows (and Wine) finds them beside the program.
set(BREVANE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${BREVANE_HOST_HEADERS})

function(brevane_host_header_library target header folder)
  find_path(BREVANE_${folder}_INCLUDE ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT BREVANE_${folder}_INCLUDE)
    message(FATAL_ERROR "${header} not found in /usr/include: install its Debian package")
  endif()
  file(CREATE_LINK ${BREVANE_${folder}_INCLUDE}/${folder} ${BREVANE_HOST_HEADERS}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${BREVANE_HOST_HEADERS})
endfunction()

brevane_host_header_library(nlohmann_json::nlohmann_json nlohmann/json.hpp nlohmann)
brevane_host_header_library(CLI11::CLI11 CLI/CLI.hpp CLI)

if(BREVANE_TESTS)
  set(BREVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  if(NOT EXISTS ${BREVANE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${BREVANE_GOOGLETEST_SOURCE}: install googletest")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${BREVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "${dll} of the compiler not found")
  endif()
  file(COPY ${found} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  install(FILES ${found} DESTINATION bin)
endforeach()

# corvane-cli, the command-line companion: the core plus two header-only libraries, CLI11 for
# the command line and nlohmann-json for `show --json`. No Qt, so it runs where there is no
# display, and a MinGW build is one executable that needs nothing beside it.
find_path(CORVANE_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
find_path(CORVANE_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT CORVANE_CLI11_INCLUDE OR NOT CORVANE_JSON_INCLUDE)
  if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
    message(STATUS "corvane-cli is not built: the CLI11 and nlohmann-json headers were not found "
                   "(the README's \"Building on Windows\" says where to get them)")
    return()
  endif()
  message(FATAL_ERROR "corvane-cli needs the CLI11 and nlohmann-json headers: "
                      "apt-get install libcli11-dev nlohmann-json3-dev (`make deps` does it)")
endif()

set(corvane_cli_includes ${CORVANE_CLI11_INCLUDE} ${CORVANE_JSON_INCLUDE})
if(CMAKE_CROSSCOMPILING)
  # The host's /usr/include must not reach a cross compiler (glibc's headers would stand in for
  # the target's), so it sees a folder holding only the two libraries.
  set(corvane_cli_includes ${CMAKE_CURRENT_BINARY_DIR}/cli-include)
  file(MAKE_DIRECTORY ${corvane_cli_includes})
  file(CREATE_LINK ${CORVANE_CLI11_INCLUDE}/CLI ${corvane_cli_includes}/CLI SYMBOLIC)
  file(CREATE_LINK ${CORVANE_JSON_INCLUDE}/nlohmann ${corvane_cli_includes}/nlohmann SYMBOLIC)
endif()

# Everything but main(), so that tests link what they exercise.
add_library(corvane_cli STATIC
    cli/Arguments.cpp cli/Arguments.h
    cli/Cli.cpp cli/Cli.h
    cli/Console.cpp cli/Console.h
    cli/SetEdits.cpp cli/SetEdits.h
    cli/ShowOutput.cpp cli/ShowOutput.h
)
target_include_directories(corvane_cli PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/cli)
target_include_directories(corvane_cli SYSTEM PRIVATE ${corvane_cli_includes})
target_link_libraries(corvane_cli PUBLIC corvane_core)
target_compile_definitions(corvane_cli PRIVATE CORVANE_VERSION="${PROJECT_VERSION}")

add_executable(corvane-cli cli/main.cpp)
target_link_libraries(corvane-cli PRIVATE corvane_cli)
if(MINGW)
  # wmain takes the command line as UTF-16. The C++ runtime and winpthreads are linked in, so
  # the executable needs only Windows' own DLLs; a release build is stripped.
  target_link_options(corvane-cli PRIVATE -municode -static $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
foreach(target corvane_cli corvane-cli)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  corvane_warnings(${target})
endforeach()

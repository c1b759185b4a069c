# The engine's tests: doctest programs (header-only, Debian's doctest-dev) that link no Qt, one
# per engine library. Each runs natively as CTest row <name>; the Windows cross build makes the
# same program as test_<name>.exe, and tests/windows runs it under Wine as row <name>_wine.
#
#   corvane_add_engine_test(<name> SOURCES <files...> LIBS <engine libraries...>)
#
# The header is taken from the host even in the cross build, which otherwise sees only
# MinGW's tree.
find_path(CORVANE_DOCTEST_DIR doctest.h PATHS /usr/include/doctest
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT CORVANE_DOCTEST_DIR)
  message(FATAL_ERROR "doctest.h is not found: install doctest-dev (`make deps` does)")
endif()

function(corvane_add_engine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(test_${name} ${PROJECT_SOURCE_DIR}/tests/support/doctest_main.cpp ${T_SOURCES})
  target_include_directories(test_${name} SYSTEM PRIVATE ${CORVANE_DOCTEST_DIR})
  target_link_libraries(test_${name} PRIVATE ${T_LIBS})
  set_target_properties(test_${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  if(WIN32)
    # One executable that needs only Windows' own DLLs, as corvane-cli.exe.
    target_link_options(test_${name} PRIVATE -static)
  endif()
  corvane_warnings(test_${name})
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  # Where the cross build puts the same program, for tests/windows.
  file(RELATIVE_PATH folder ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  set_property(GLOBAL APPEND PROPERTY CORVANE_ENGINE_TESTS "${name}=${folder}/test_${name}.exe")
endfunction()

# The GUI program: `corvane [FILE]`, `--help`, `--version`. The click sound is looked up as
# ".\resources\click.wav" under the current directory, so the sounds are copied next to the
# executable and `make run` starts it there.
if(TARGET corvane_ui)
  set(corvane_app_sources main.cpp)
  if(WIN32)
    list(APPEND corvane_app_sources corvane.rc)
    # MinGW's windres finds the icon through the include path, not beside the .rc file.
    set_source_files_properties(corvane.rc PROPERTIES
        INCLUDE_DIRECTORIES ${CMAKE_CURRENT_SOURCE_DIR}
        OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/corvane.ico)
  endif()
  qt_add_executable(corvane WIN32 ${corvane_app_sources})
  target_link_libraries(corvane PRIVATE corvane_ui)
  target_compile_definitions(corvane PRIVATE CORVANE_VERSION="${PROJECT_VERSION}")
  corvane_warnings(corvane)

  set(corvane_sounds "")
  foreach(sound click.wav over.wav)
    add_custom_command(
      OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/resources/${sound}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different
              ${PROJECT_SOURCE_DIR}/resources/${sound}
              ${CMAKE_CURRENT_BINARY_DIR}/resources/${sound}
      DEPENDS ${PROJECT_SOURCE_DIR}/resources/${sound}
      COMMENT "Copying ${sound} beside the program")
    list(APPEND corvane_sounds ${CMAKE_CURRENT_BINARY_DIR}/resources/${sound})
  endforeach()
  add_custom_target(corvane_sounds ALL DEPENDS ${corvane_sounds})
  add_dependencies(corvane corvane_sounds)
endif()

# corvane-cli, the command-line companion: the core plus Qt Core (argument parsing, JSON), so
# it runs where there is no display.
qt_add_executable(corvane-cli
    cli/main.cpp
    cli/Cli.cpp cli/Cli.h
    cli/SetEdits.cpp cli/SetEdits.h
    cli/ShowOutput.cpp cli/ShowOutput.h
)
target_link_libraries(corvane-cli PRIVATE corvane_core Qt6::Core)
target_compile_definitions(corvane-cli PRIVATE CORVANE_VERSION="${PROJECT_VERSION}")
set_target_properties(corvane-cli PROPERTIES AUTOMOC OFF)
corvane_warnings(corvane-cli)

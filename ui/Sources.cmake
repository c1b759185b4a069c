add_library(corvane_ui STATIC
    ColourButton.cpp ColourButton.h
    ControlLibrary.cpp ControlLibrary.h
    Dialogs.cpp Dialogs.h
    FilePaths.cpp FilePaths.h
    ImageBox.h
    Scn_Common_Dialog.cpp Scn_Common_Dialog.h
    StartArguments.cpp StartArguments.h
    frmMain.cpp frmMain.h
    frmMain_Layout.cpp frmMainLayout.h
    frmMainAccessibility.cpp frmMainAccessibility.h
)
target_include_directories(corvane_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(corvane_ui PUBLIC corvane_core corvane_controls Qt6::Widgets)
corvane_warnings(corvane_ui)
if(WIN32)
  target_link_libraries(corvane_ui PRIVATE shell32)  # CommandLineToArgvW
endif()

# The stored property sets of the window's custom controls, as the form designer left them.
qt_add_resources(corvane_ui corvane_forms
    PREFIX /
    FILES forms/cmd_Save.json forms/Up.json forms/Up4.json
)
# Our artwork: the picture beside the team slots and the window icon.
qt_add_resources(corvane_ui corvane_artwork
    PREFIX /
    BASE ${PROJECT_SOURCE_DIR}
    FILES
        ${PROJECT_SOURCE_DIR}/resources/pitch.gif
        ${PROJECT_SOURCE_DIR}/resources/icons/corvane-16.png
        ${PROJECT_SOURCE_DIR}/resources/icons/corvane-32.png
        ${PROJECT_SOURCE_DIR}/resources/icons/corvane-48.png
)

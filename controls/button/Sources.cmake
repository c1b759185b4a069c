target_sources(corvane_controls PRIVATE
    button/AccessKey.cpp button/AccessKey.h
    button/ButtonColors.cpp button/ButtonColors.h
    button/ButtonLayout.cpp button/ButtonLayout.h
    button/ButtonPainter.cpp button/ButtonPainter.h
    button/Button_XP.cpp button/Button_XP.h
    button/Button_XPInput.cpp
    button/Button_XPPersistence.cpp
    button/XPLook.cpp button/XPLook.h
)

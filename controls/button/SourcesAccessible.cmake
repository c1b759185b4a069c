target_sources(corvane_controls PRIVATE
    button/Button_XPAccessible.cpp button/Button_XPAccessible.h
)

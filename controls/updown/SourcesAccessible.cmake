target_sources(corvane_controls PRIVATE
    updown/ucUpDownBoxAccessible.cpp updown/ucUpDownBoxAccessible.h
)
